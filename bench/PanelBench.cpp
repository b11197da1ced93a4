// How long the window's own work takes on the simulated board, so that the bus is what a user waits for.
#include "adapter/AdapterConnection.h"
#include "panel/HexText.h"
#include "panel/Readback.h"
#include "ptx/ptx.h"
#include "ui/EvalDialog.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <string>

namespace {

void readbackAllOnTheWindow(benchmark::State& state)
{
    EvalDialog dialog(true);
    dialog.Create();
    for (auto _ : state)
        readbackAll(dialog);
}
BENCHMARK(readbackAllOnTheWindow);

void registerRoundTrip(benchmark::State& state)
{
    unsigned char byte = 0;
    for (auto _ : state) {
        readRegister(deviceAddress(), 0x14, byte);
        writeRegister(deviceAddress(), 0x14, byte);
    }
    benchmark::DoNotOptimize(byte);
}
BENCHMARK(registerRoundTrip);

void parseLongHexText(benchmark::State& state)
{
    const std::string text(static_cast<std::size_t>(state.range(0)), 'F');
    for (auto _ : state)
        benchmark::DoNotOptimize(parseHexByte(text));
}
BENCHMARK(parseLongHexText)->Arg(2)->Arg(4096);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ptxSelectBackend("sim");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
