// The Python module's calls from C++, on the simulated board: the baseline python_board.py compares the module with.
#include "python/Board.h"

#include <benchmark/benchmark.h>

namespace {

void setField(benchmark::State& state)
{
    kv3124::python::Board board("sim", "", 0);
    bool on = false;
    for (auto _ : state)
        board.setField("led3", (on = !on) ? "on" : "off");
}
BENCHMARK(setField);

void readRegister(benchmark::State& state)
{
    kv3124::python::Board board("sim", "", 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(board.read(0x14));
}
BENCHMARK(readRegister);

} // namespace

BENCHMARK_MAIN();
