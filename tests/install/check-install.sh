#!/bin/sh
# Installs the build tree ("tree") or unpacks its Debian package ("package") into a scratch
# folder, then checks the files, the desktop data and that the programs run from there alone.
# privlib is the adapter library's folder below the prefix; python is 1 where the Python module is built.
set -eux # the trace shows which check failed
source=$1 build=$2 privlib=$3 version=$4 python=$5
root=$(mktemp -d)
# Debian's python3, whatever else PATH holds.
PATH=/usr/bin:$PATH
python_abi=$(python3 -c 'import sysconfig; print(sysconfig.get_config_var("SOABI"))' || true)
trap 'rm -rf "$root"' EXIT

if [ "$source" = package ]; then
    cpack --config "$build/CPackConfig.cmake" -B "$root/deb" >/dev/null
    deb="$root/deb/kv3124-eval_${version}_$(dpkg --print-architecture).deb"
    depends=$(dpkg-deb --field "$deb" Depends)
    case "$depends" in *libqt6widgets6*fonts-liberation2* | *fonts-liberation2*libqt6widgets6*) ;; *) exit 1 ;; esac
    python_minor=$(python3 -c 'import sys; print(sys.version_info[1])')
    if [ "$python" = 1 ]; then
        case "$depends" in *"python3 (>= 3.$python_minor~), python3 (<< 3.$((python_minor + 1)))"*) ;; *) exit 1 ;; esac
    fi
    dpkg -x "$deb" "$root/tree"
else
    DESTDIR="$root/tree" cmake --install "$build" --prefix /usr >/dev/null
fi
cd "$root/tree"

find . ! -type d | sort >"$root/actual"
{
    [ "$python" = 1 ] && for file in __init__.py __main__.py "_core.$python_abi.so" _core.pyi py.typed; do
        echo "./usr/lib/python3/dist-packages/kv3124/$file"
    done
    cat <<END
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
} | sort >"$root/expected"
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

# The module finds the adapter library in this tree too, and runs the board and kv3124ctl from it.
[ "$python" = 1 ] || exit 0
module=usr/lib/python3/dist-packages/kv3124/_core.$python_abi.so
found=$(ldd "$module" | sed -n 's/.*libptx.so => \(.*\) (.*/\1/p')
[ "$(realpath "$found")" = "$(realpath "usr/$privlib/libptx.so")" ]
PYTHONPATH=usr/lib/python3/dist-packages PYTHONDONTWRITEBYTECODE=1 python3 -c '
import kv3124
with kv3124.open("sim") as board:
    board["led3"] = "off"
    assert board.read(0x14) == 0x3B and board.firmware == "Version: USB RFW:2.5; FFW:1.3"'
[ "$(PYTHONPATH=usr/lib/python3/dist-packages PYTHONDONTWRITEBYTECODE=1 python3 -m kv3124 --version)" = "kv3124ctl $version" ]
