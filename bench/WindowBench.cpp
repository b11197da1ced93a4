// Our own cost of each operation, from the input event to its last write on the simulated board, beside the
// simulator's cost of the same register calls and the time the operation's traffic takes on a real I2C bus.
#include "PeakMemory.h"
#include "WindowInputs.h"

#include "framework/DialogApplication.h"
#include "framework/DialogCheckBox.h"
#include "framework/DialogPushButton.h"
#include "ptx/ptx.h"
#include "ptx/sim/SimulatorControl.h"

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include <time.h>

namespace {

using ptx::sim::Access;
using ptx::sim::RegisterAccess;

// Clock periods of one register access on the bus, nine for each byte with its acknowledge: a read sends
// address and register, then after a repeated start the address again and receives the data; a write sends
// address, register and data. Start and stop conditions are not counted.
constexpr double readPeriods = 36;
constexpr double writePeriods = 27;

// The thread's processor time: on a shared machine, wall time counts the other processes too.
double cpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void replay(const std::vector<RegisterAccess>& accesses)
{
    for (const RegisterAccess& a : accesses) {
        if (a.access == Access::Read)
            benchmark::DoNotOptimize(ptxI2C_RegisterRead(a.handle, a.deviceAddress, a.registerAddress));
        else
            benchmark::DoNotOptimize(ptxI2C_RegisterWrite(a.handle, a.deviceAddress, a.registerAddress, a.value));
    }
}

// Seconds the simulator alone takes for `accesses`.
double simulatorSeconds(const std::vector<RegisterAccess>& accesses)
{
    int rounds = 0;
    const double start = cpuSeconds();
    for (; rounds < 1000 || cpuSeconds() - start < 0.1; ++rounds)
        replay(accesses);
    return (cpuSeconds() - start) / rounds;
}

void operation(benchmark::State& state, const OperationFamily& family)
{
    EvalDialog& window = benchWindow();
    // Two turns, so that an input and the one undoing it are both counted.
    ptx::sim::clearTransactions();
    family.input(window, 0);
    family.input(window, 1);
    const std::vector<RegisterAccess> traffic = ptx::sim::registerAccesses();

    int turn = 0;
    const double start = cpuSeconds();
    for (auto _ : state)
        family.input(window, turn++);
    const double perInput = (cpuSeconds() - start) / turn;

    const auto readCount = std::ranges::count(traffic, Access::Read, &RegisterAccess::access);
    const double reads = static_cast<double>(readCount) / 2;
    const double writes = static_cast<double>(std::ssize(traffic) - readCount) / 2;
    const double busPeriods = reads * readPeriods + writes * writePeriods;
    const double simulator = simulatorSeconds(traffic) / 2;
    const double ours = perInput - simulator;
    state.counters["reads"] = reads;
    state.counters["writes"] = writes;
    state.counters["sim_us"] = simulator * 1e6;
    state.counters["ours_us"] = ours * 1e6;
    state.counters["bus100k_us"] = busPeriods / 100e3 * 1e6;
    state.counters["bus400k_us"] = busPeriods / 400e3 * 1e6;
    state.counters["ours_pct400k"] = ours / (busPeriods / 400e3) * 100;
}

// The key that clicks a button, on a lone check box or push button of the same style and font in a bare dialog
// with nothing connected to it: Qt's own controls paint the pressed look on press and again on release, ours
// copy a kept picture, which leaves Qt's delivery of the key and its repaint machinery.
template <class Button> void bareButton(benchmark::State& state)
{
    QDialog dialog;
    dialog.resize(200, 100);
    Button button(QStringLiteral("Readback All"), &dialog);
    button.setGeometry(10, 10, 85, 23);
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        qFatal("the bare dialog was never shown");
    button.setFocus();
    int presses = 0;
    const double start = cpuSeconds();
    for (auto _ : state) {
        bareControlPress(button);
        ++presses;
    }
    state.counters["ours_us"] = (cpuSeconds() - start) / presses * 1e6;
}

// A long session: every family in turn, with the event loop run now and then as between a user's inputs.
// The peak is taken after start, after a warm-up that fills every cache, and at the end.
void memoryOverOperations(benchmark::State& state)
{
    constexpr int warmUp = 100'000;
    constexpr int operations = 1'000'000;
    EvalDialog& window = benchWindow();
    const long startKb = peakResidentKb();
    long warmKb = 0;
    for (auto _ : state) {
        for (int n = 0; n < operations; ++n) {
            const auto family = static_cast<std::size_t>(n) % operationFamilies.size();
            operationFamilies[family].input(window, n / static_cast<int>(operationFamilies.size()));
            if (n % 1000 == 999)
                QCoreApplication::processEvents();
            if (n + 1 == warmUp)
                warmKb = peakResidentKb();
        }
    }
    state.counters["start_peak_MB"] = static_cast<double>(startKb) / 1024;
    state.counters["warm_peak_MB"] = static_cast<double>(warmKb) / 1024;
    state.counters["end_peak_MB"] = static_cast<double>(peakResidentKb()) / 1024;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's own style and font: the default style paints the controls differently.
    DialogApplication application(argc, argv);
    ptxSelectBackend("sim");
    benchmark::Initialize(&argc, argv);
    // First, so that the peak at its start is the window's and not the other benchmarks'.
    benchmark::RegisterBenchmark("memoryOverOperations", memoryOverOperations)->Iterations(1)->Unit(benchmark::kSecond);
    for (const OperationFamily& family : operationFamilies)
        benchmark::RegisterBenchmark(family.name, operation, family)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("bareCheckBox", bareButton<QCheckBox>)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("barePushButton", bareButton<QPushButton>)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("bareDialogCheckBox", bareButton<DialogCheckBox>)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("bareDialogPushButton", bareButton<DialogPushButton>)->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
