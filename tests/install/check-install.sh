#!/bin/sh
# Installs the build tree ("tree") or unpacks its Debian package ("package") into a scratch
# folder, then checks the files, the desktop data and that the programs run from there alone.
# privlib is the adapter library's folder below the prefix.
set -eux # the trace shows which check failed
source=$1 build=$2 privlib=$3 version=$4
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

if [ "$source" = package ]; then
    cpack --config "$build/CPackConfig.cmake" -B "$root/deb" >/dev/null
    deb="$root/deb/kv3124-eval_${version}_$(dpkg --print-architecture).deb"
    depends=$(dpkg-deb --field "$deb" Depends)
    case "$depends" in *libqt6widgets6*fonts-liberation2* | *fonts-liberation2*libqt6widgets6*) ;; *) exit 1 ;; esac
    dpkg -x "$deb" "$root/tree"
else
    DESTDIR="$root/tree" cmake --install "$build" --prefix /usr >/dev/null
fi
cd "$root/tree"

find . ! -type d | sort >"$root/actual"
sort >"$root/expected" <<END
./usr/$privlib/libptx.so
./usr/bin/kv3124-eval
./usr/bin/kv3124ctl
./usr/share/applications/kv3124-eval.desktop
./usr/share/bash-completion/completions/kv3124-eval
./usr/share/bash-completion/completions/kv3124ctl
./usr/share/doc/kv3124-eval/changelog.gz
./usr/share/doc/kv3124-eval/copyright
./usr/share/doc/kv3124-eval/examples/60-kv3124-i2c.rules
./usr/share/icons/hicolor/128x128/apps/kv3124-eval.png
./usr/share/icons/hicolor/16x16/apps/kv3124-eval.png
./usr/share/icons/hicolor/24x24/apps/kv3124-eval.png
./usr/share/icons/hicolor/32x32/apps/kv3124-eval.png
./usr/share/icons/hicolor/48x48/apps/kv3124-eval.png
./usr/share/icons/hicolor/64x64/apps/kv3124-eval.png
./usr/share/icons/hicolor/scalable/apps/kv3124-eval.svg
./usr/share/man/man1/kv3124-eval.1.gz
./usr/share/man/man1/kv3124ctl.1.gz
./usr/share/metainfo/io.github.kv3124_eval.kv3124_eval.metainfo.xml
END
diff -u "$root/expected" "$root/actual"

[ -z "$(desktop-file-validate usr/share/applications/kv3124-eval.desktop)" ] # hints too
appstreamcli validate --no-net usr/share/metainfo/*.xml >/dev/null
grep -q "<release version=\"$version\"" usr/share/metainfo/*.xml
gzip -dc usr/share/doc/kv3124-eval/changelog.gz | head -n 1 | grep -q "^kv3124-eval ($version) "

# The programs find the adapter library in this tree, not in the build tree, and answer.
for program in kv3124-eval kv3124ctl; do
    found=$(ldd "usr/bin/$program" | sed -n 's/.*libptx.so => \(.*\) (.*/\1/p')
    [ "$(realpath "$found")" = "$(realpath "usr/$privlib/libptx.so")" ]
done
answers() {
    out=$("usr/bin/$1" "$2") && printf '%s\n' "$out" | grep -q -- "$3" || {
        echo "$1 $2 gave: $out" >&2
        exit 1
    }
}
answers kv3124-eval --version "^kv3124-eval $version\$"
answers kv3124-eval --help --adapter
answers kv3124-eval --list-adapters '^sim'
answers kv3124ctl --version "^kv3124ctl $version\$"
