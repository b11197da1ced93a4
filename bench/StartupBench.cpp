// Process start to the first drawing of the slider: the program on the simulated board beside a bare
// dialog of the same size, started the same way, one after the other in each round.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct FirstPaint {
    double seconds = 0;
    long peakKb = 0;
    int width = 0;
    int height = 0;
};

// Starts `arguments` with standard output on a pipe and reads the probe's line: the monotonic clock
// at the first slider paint, the peak resident memory and the window's size.
FirstPaint firstPaint(std::vector<std::string> arguments)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now().time_since_epoch();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    std::string line;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        line.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    if (spawned != 0)
        return {};
    ::waitpid(pid, nullptr, 0);

    long long paintedNs = 0;
    FirstPaint result;
    if (std::sscanf(line.c_str(), "%lld %ld %d %d", &paintedNs, &result.peakKb, &result.width, &result.height) != 4)
        return {};
    result.seconds = static_cast<double>(paintedNs - std::chrono::nanoseconds(start).count()) * 1e-9;
    return result;
}

void startToFirstSliderPaint(benchmark::State& state)
{
    double programTotal = 0;
    double bareTotal = 0;
    long programPeakKb = 0;
    long barePeakKb = 0;
    for (auto _ : state) {
        const FirstPaint program = firstPaint({ EVAL_FIRST_PAINT, "--adapter=sim" });
        const FirstPaint bare
            = firstPaint({ BARE_DIALOG, std::to_string(program.width), std::to_string(program.height) });
        if (program.seconds <= 0 || bare.seconds <= 0) {
            state.SkipWithError("a probe did not report its first slider paint");
            break;
        }
        state.SetIterationTime(program.seconds);
        programTotal += program.seconds;
        bareTotal += bare.seconds;
        programPeakKb = std::max(programPeakKb, program.peakKb);
        barePeakKb = std::max(barePeakKb, bare.peakKb);
    }
    const auto rounds = static_cast<double>(state.iterations());
    state.counters["bare_ms"] = bareTotal / rounds * 1e3;
    state.counters["ratio"] = programTotal / bareTotal;
    state.counters["peak_MB"] = static_cast<double>(programPeakKb) / 1024;
    state.counters["bare_peak_MB"] = static_cast<double>(barePeakKb) / 1024;
}
BENCHMARK(startToFirstSliderPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
