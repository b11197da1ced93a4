#!/bin/sh
# What the program adds to a USB bridge's own latency, measured in the test machine on the kernel's MCP2221A driver
# and an emulated bridge:
#   scripts/kernel/run-in-vm.sh bench/bridge-latency.sh [ROUNDS]        (after make build; 15 rounds by default)
# Each round runs kv3124ctl dump (its transfers timed by its own trace, from the firmware line to the last read)
# and then the bare loop of the same ioctls (bridge_loop), and for a single register kv3124ctl read against
# i2cget, each a whole process. Prints the median of each and of the per-round ratio, with the smallest and
# largest ratio. Times under software emulation are no product figures; the ratios are the result.
set -eu
rounds=${1:-15}
build=build
folder=/run/latency
mkdir -p "$folder"
node=$(tests/kernel/bridge/plug.sh latency KV-SN-LATENCY 0)
"$build/tests/kernel/bridge/mcp2221_emulator" "$node" "$folder" &
emulator=$!
trap 'kill $emulator' EXIT
# The driver's probe takes about half a minute; the GPIO chip is the last thing it adds.
bus=
for _ in $(seq 600); do
    device=$(ls -d /sys/bus/hid/devices/0003:04D8:00DD.*/ 2>/dev/null | head -n 1)
    if [ -n "$device" ] && ls -d "$device"gpiochip* >/dev/null 2>&1; then
        bus=$(basename "$(ls -d "$device"i2c-*)")
        break
    fi
    sleep 0.2
done
[ -n "$bus" ] || { echo "bridge-latency.sh: the bridge did not come up" >&2; exit 1; }

now() { date +%s%N; }
: >"$folder/rows"
for _ in $(seq "$rounds"); do
    "$build/cli/kv3124ctl" --adapter="$bus" --trace="$folder/trace" dump >/dev/null
    ctl=$(awk '$2 == "firmware" { start = $1 } $2 == "read" { end = $1 } END { print end - start }' "$folder/trace")
    loop=$("$build/bench/bridge_loop" "/dev/$bus" 1)
    t0=$(now)
    "$build/cli/kv3124ctl" --adapter="$bus" read 0x14 >/dev/null
    t1=$(now)
    i2cget -y "${bus#i2c-}" 0x2c 0x14 >/dev/null
    t2=$(now)
    echo "$ctl $loop $(((t1 - t0) / 1000)) $(((t2 - t1) / 1000))" >>"$folder/rows"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column() { awk -v c="$1" '{ print $c }' "$folder/rows" | median; }
ratios() { awk -v a="$1" -v b="$2" '{ printf "%.3f\n", $a / $b }' "$folder/rows" | sort -n; }
report() {
    echo "$1: median $(column "$2") us against $(column "$3") us; ratio median $(ratios "$2" "$3" | median)," \
        "smallest $(ratios "$2" "$3" | head -n 1), largest $(ratios "$2" "$3" | tail -n 1) ($rounds rounds)"
}
report "kv3124ctl dump's 18 reads after its presence check, against the bare loop" 1 2
report "kv3124ctl read 0x14 against i2cget, process to process" 3 4
