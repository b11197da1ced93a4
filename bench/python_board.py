"""A field set and a register read from Python against the same calls from C++ (bench_board), on the
simulated board: what the module adds per call. Goal: at most 1 us; the bus itself takes 68 to 90 us
at 400 kHz. Usage: python3 bench/python_board.py BUILD/bench/bench_board (with the module on PYTHONPATH)."""

import json
import subprocess
import sys
import timeit

import kv3124

GOAL_US = 1.0
CALLS = 200_000


def python_us():
    with kv3124.open("sim") as board:
        values = iter(["on", "off"] * CALLS)
        set_field = min(timeit.repeat(lambda: board.__setitem__("led3", next(values)), number=CALLS // 5, repeat=5))
        read = min(timeit.repeat(lambda: board.read(0x14), number=CALLS, repeat=5))
    return {"setField": set_field / (CALLS // 5) * 1e6, "readRegister": read / CALLS * 1e6}


def cpp_us(program):
    out = subprocess.run([program, "--benchmark_format=json", "--benchmark_repetitions=5"],
                         check=True, capture_output=True, text=True).stdout
    runs = {}
    for run in json.loads(out)["benchmarks"]:
        if run.get("run_type") == "iteration":
            runs.setdefault(run["name"], []).append(run["real_time"] / 1000 if run["time_unit"] == "ns" else run["real_time"])
    return {name: min(times) for name, times in runs.items()}


def main():
    cpp = cpp_us(sys.argv[1])
    python = python_us()
    worst = 0.0
    for name in ("setField", "readRegister"):
        added = python[name] - cpp[name]
        worst = max(worst, added)
        print(f"{name:13} Python {python[name]:6.3f} us   C++ {cpp[name]:6.3f} us   added {added:6.3f} us")
    print(f"goal: at most {GOAL_US} us added per call: {'met' if worst <= GOAL_US else 'NOT met'}")


if __name__ == "__main__":
    main()
