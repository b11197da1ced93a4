#!/bin/sh
# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS (default 60) from its small
# corpus in fuzz/corpus/<target>/. New inputs and any crash go to a scratch folder, never into the
# repository; the executions of each target are printed at the end.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
targets="hex_text command_line"

generator=
if command -v ninja >/dev/null; then generator="-G Ninja"; fi
# shellcheck disable=SC2086 # the generator is one or two words
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" $generator -DKV3124_BUILD_FUZZ=ON -DKV3124_BUILD_TESTS=OFF \
    -DKV3124_BUILD_BENCH=OFF >/dev/null
for target in $targets; do
    cmake --build "$build" --target "fuzz_$target"
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/kv3124-fuzz.XXXXXX")
echo "new inputs and crashes go to $scratch"
status=0
summary=
for target in $targets; do
    mkdir -p "$scratch/$target"
    log="$scratch/$target.log"
    result="nothing found"
    if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$scratch/$target-" "$scratch/$target" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
        result="FAILED, see $log"
        status=1
        tail -n 30 "$log"
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    summary="$summary$target: ${runs:-?} executions in $seconds s, $result
"
done
printf '%s' "$summary"
exit $status
