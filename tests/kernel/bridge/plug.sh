#!/bin/sh
# Plugs an emulated USB-to-I2C bridge into one of the kernel's own USB root hubs, with no hardware: a configfs
# HID gadget with the bridge's identity on a dummy_hcd device side, whose reports the emulator answers on the
# gadget's node, which this prints. The gadget NAME is made on first use; later calls plug it in again, into
# the same hub or another. Usage: plug.sh NAME SERIAL HUB (0 to 6)
set -eu
name=$1 serial=$2 hub=$3
# Without udev nothing loads drivers on its own. Seven root hubs, each with its own port 1.
lsmod | grep -q '^dummy_hcd ' || modprobe dummy_hcd num=7
for module in libcomposite usb_f_hid usbhid hid-mcp2221; do
    modprobe "$module"
done
config=/sys/kernel/config
grep -q " $config configfs " /proc/mounts || mount -t configfs none "$config"
gadget=$config/usb_gadget/$name
if [ ! -d "$gadget" ]; then
    mkdir "$gadget"
    echo 0x04D8 >"$gadget/idVendor"
    echo 0x00DD >"$gadget/idProduct"
    mkdir "$gadget/strings/0x409"
    echo "$serial" >"$gadget/strings/0x409/serialnumber"
    echo "MCP2221 USB-I2C/UART Combo" >"$gadget/strings/0x409/product"
    mkdir -p "$gadget/configs/c.1" "$gadget/functions/hid.0"
    echo 0 >"$gadget/functions/hid.0/protocol"
    echo 0 >"$gadget/functions/hid.0/subclass"
    echo 64 >"$gadget/functions/hid.0/report_length"
    # Vendor page: one 64-byte input and one 64-byte output report, without report IDs.
    printf '\006\000\377\011\001\241\001\011\001\025\000\046\377\000\165\010\225\100\201\002\011\001\225\100\221\002\300' \
        >"$gadget/functions/hid.0/report_desc"
    ln -s "$gadget/functions/hid.0" "$gadget/configs/c.1/"
fi
[ -z "$(cat "$gadget/UDC")" ] || echo >"$gadget/UDC"
echo "dummy_udc.$hub" >"$gadget/UDC"
echo "/dev/hidg$(cut -d: -f2 "$gadget/functions/hid.0/dev")"
