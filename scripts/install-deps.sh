#!/bin/sh
# Installs the Debian packages the build and the tests need, and with "screenshot" the
# screenshot script's, with "kernel" the kernel tests' virtual machine's, with "fuzz" the
# fuzzers', and only those that are missing. Silent when all is there.
set -eu

packages="cmake ninja-build g++ make qt6-base-dev libgl-dev googletest libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2 locales qt6-svg-dev dpkg-dev desktop-file-utils appstream lintian pybind11-dev python3-dev python3-pytest"
if [ "${1:-}" = "screenshot" ]; then
    packages="$packages xvfb xauth imagemagick"
elif [ "${1:-}" = "kernel" ]; then
    packages="$packages qemu-system-x86 busybox-static kmod cpio i2c-tools xz-utils"
elif [ "${1:-}" = "fuzz" ]; then
    packages="$packages clang-14 libclang-rt-14-dev"
fi

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
else
    sudo="sudo -n"
fi
echo "Installing:$missing"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# shellcheck disable=SC2086
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
