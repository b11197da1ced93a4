#!/bin/sh
# Prepares, once, what the test virtual machine boots: Debian's kernel as an uncompressed
# vmlinux (half the boot time under software emulation) and a small initramfs with busybox,
# the modules the guest needs and scripts/kernel/init. Usage: prepare.sh BUILD_DIR
# The kernel package is only unpacked into BUILD_DIR/kernel, never installed; the initramfs
# is made again whenever init or this script changed.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mkdir -p "$1/kernel" && cd "$1/kernel" && pwd)
# What the guest's init loads, at24, a driver the tests bind to the chip's address, and what plugs an
# emulated USB bridge (a USB host and gadget inside the kernel, a HID gadget, the bridge's driver);
# modprobe adds what they need (netfs, fscache, virtio, usbcore, ...).
modules="virtio_pci 9pnet_virtio 9p overlay i2c-dev i2c-stub at24 dummy_hcd configfs libcomposite usb_f_hid usbhid hid-mcp2221"

# Finds the compressed kernel inside the bzImage by its magic number, as the kernel's own
# extract-vmlinux does, and keeps the first candidate that unpacks to an ELF file.
extract_vmlinux() {
    for method in 'xz -dc:\xfd7zXZ\x00' 'gzip -dc:\x1f\x8b\x08' 'zstd -dc:\x28\xb5\x2f\xfd'; do
        for offset in $(LC_ALL=C grep -obUaP "${method#*:}" "$1" | cut -d: -f1); do
            tail -c +$((offset + 1)) "$1" | ${method%%:*} >"$2" 2>/dev/null || true
            [ "$(head -c 4 "$2")" = "$(printf '\177ELF')" ] && return 0
        done
    done
    echo "prepare.sh: no kernel found inside $1" >&2
    return 1
}

# The kernel is fetched again only when the list of modules changed.
if [ ! -f "$dir/vmlinux" ] || [ "$(cat "$dir/modules" 2>/dev/null)" != "$modules" ]; then
    cd "$dir"
    rm -rf unpacked lib vmlinux modules ./*.deb
    # The metapackage names the current kernel package of the release.
    package=$(apt-cache depends linux-image-amd64 2>/dev/null | awk '/Depends: linux-image-/ { print $2; exit }')
    if [ -z "$package" ]; then
        apt-get update -qq
        package=$(apt-cache depends linux-image-amd64 | awk '/Depends: linux-image-/ { print $2; exit }')
    fi
    echo "Preparing $package for the test virtual machine"
    # As root, apt would otherwise hand the download to its own user, who cannot write here.
    if [ "$(id -u)" -eq 0 ]; then
        apt-get download -qq -o APT::Sandbox::User=root "$package"
    else
        apt-get download -qq "$package"
    fi
    dpkg-deb --fsys-tarfile ./*.deb | tar -x --one-top-level=unpacked ./boot ./lib/modules
    version=$(ls unpacked/lib/modules)
    depmod -b unpacked "$version"
    for module in $modules; do
        modprobe -d unpacked -S "$version" --show-depends "$module" | awk '$1 == "insmod" { print $2 }'
    done | sort -u | while read -r file; do
        target=lib/modules/$version/${file#*/lib/modules/"$version"/}
        mkdir -p "$(dirname "$target")" && cp "$file" "$target"
    done
    cp unpacked/lib/modules/"$version"/modules.builtin* unpacked/lib/modules/"$version"/modules.order lib/modules/"$version"/
    depmod -b . "$version"
    extract_vmlinux unpacked/boot/vmlinuz-"$version" vmlinux.part && mv vmlinux.part vmlinux
    rm -rf unpacked ./*.deb
    echo "$modules" >modules
fi

initramfs=$dir/initramfs.cpio
if [ ! -f "$initramfs" ] || [ -n "$(find "$here/init" "$here/prepare.sh" -newer "$initramfs")" ]; then
    staging=$dir/initramfs
    rm -rf "$staging"
    mkdir -p "$staging/bin" "$staging/lib" "$staging/proc" "$staging/sys" "$staging/dev"
    cp /bin/busybox "$staging/bin/busybox"
    # The applet list names busybox itself: a link in its place would replace the binary.
    for applet in $(/bin/busybox --list); do
        [ "$applet" = busybox ] || ln -s busybox "$staging/bin/$applet"
    done
    cp -r "$dir/lib/modules" "$staging/lib/"
    cp "$here/init" "$staging/init"
    chmod 755 "$staging/init"
    (cd "$staging" && find . | cpio -o -H newc --quiet) >"$initramfs.part"
    mv "$initramfs.part" "$initramfs"
    rm -rf "$staging"
fi
