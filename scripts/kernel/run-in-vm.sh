#!/bin/sh
# Runs one command inside a throwaway virtual machine on Debian's kernel, with i2c-dev loaded
# and i2c-stub emulating a chip at 0x2C on /dev/i2c-0, as root, in the current folder, which
# the guest sees together with the rest of the host's file system (read-only beneath, with
# writes kept in the guest's memory). Prints the command's output and exits with its status.
#   run-in-vm.sh [--build DIR] COMMAND [ARGUMENT...]
# The kernel and initramfs come from prepare.sh (DIR defaults to build/). Uses KVM where the
# processor can, software emulation otherwise.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build
if [ "${1:-}" = --build ]; then
    build=$2
    shift 2
fi
[ $# -gt 0 ] || { echo "usage: $0 [--build DIR] COMMAND [ARGUMENT...]" >&2; exit 2; }
command -v qemu-system-x86_64 >/dev/null || { echo "run-in-vm.sh: qemu-system-x86_64 is missing (make test-kernel installs it)" >&2; exit 1; }
"$root/scripts/kernel/prepare.sh" "$build"
kernel=$(cd "$build/kernel" && pwd)

quote() {
    printf " '%s'" "$(printf '%s' "$1" | sed "s/'/'\\\\''/g")"
}
# The guest's init finds the command to run in the run folder, which it shares writable.
run=$(mktemp -d "$kernel/run.XXXXXX")
trap 'rm -rf "$run"' EXIT
{
    echo "export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8"
    echo "export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/run/user/0"
    echo "cd$(quote "$(pwd)") || exit 125"
    printf exec
    for arg in "$@"; do
        quote "$arg"
    done
    echo
} >"$run/command"

accel=tcg
if grep -qwE 'vmx|svm' /proc/cpuinfo && [ -w /dev/kvm ]; then
    accel=kvm
fi
# A guest that hangs is stopped; the kernel tests take about four minutes under software emulation, most of
# it the bridge driver's half minute per plug. Two processors: the emulated bridges answer beside the tests.
qemu=0
timeout 900 qemu-system-x86_64 \
    -accel "$accel" -cpu max -smp 2 -m 1G \
    -nodefaults -display none -monitor none -no-reboot -serial "file:$run/console" \
    -kernel "$kernel/vmlinux" -initrd "$kernel/initramfs.cpio" \
    -append "console=ttyS0 quiet panic=-1" \
    -virtfs local,path=/,mount_tag=host,security_model=none,readonly=on,multidevs=remap \
    -virtfs "local,path=$run,mount_tag=out,security_model=none" || qemu=$?

cat "$run/stdout" 2>/dev/null || true
cat "$run/stderr" >&2 2>/dev/null || true
if [ ! -s "$run/status" ]; then
    echo "run-in-vm.sh: the virtual machine ended (qemu status $qemu, 124 for the time limit) without running the command; its console said:" >&2
    tail -n 30 "$run/console" >&2 2>/dev/null || echo "(no console output)" >&2
    exit 1
fi
echo "run-in-vm.sh: the command started $(cat "$run/started") s after boot ($accel)" >&2
exit "$(cat "$run/status")"
