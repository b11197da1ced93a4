// The bus trace line by line against the simulated board's own log: the same calls, in order, with the same bytes.
#include "EvalDialogFixture.h"

#include "adapter/AdapterConnection.h"
#include "ptx/Trace.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace ptx::sim;

std::string join(auto first, auto last, const char* format)
{
    std::string text;
    for (; first != last; ++first)
        text += QString::asprintf(format, *first).toStdString();
    return text;
}

// What the trace must say of a call the board logged, its time left off.
std::string expectedLine(const Transaction& t)
{
    static const char* const calls[] { "find", "serial", "open", "firmware", "i2c", "gpio", "power", "read", "write",
        "close" };
    const auto& a = t.arguments;
    const std::string result = " " + std::to_string(t.result), quoted = " \"" + t.text + "\"";
    std::string call = calls[static_cast<int>(t.call)], arguments, value;
    // Handles are left out, but for close.
    switch (t.call) {
    case Call::FindControllers:
        value = result;
        break;
    case Call::GetSerialNumber:
        value = quoted;
        [[fallthrough]];
    case Call::Close:
        arguments = join(a.begin(), a.end(), " %d");
        break;
    case Call::Open:
        arguments = quoted, value = result;
        break;
    case Call::FirmwareVersionRead:
        value = join(kFirmwareRecord.begin(), kFirmwareRecord.begin() + a[1], " 0x%02X");
        [[fallthrough]];
    case Call::I2cControl:
    case Call::GpioWriteControl:
    case Call::PowerWriteControl:
        arguments = join(a.begin() + 1, a.end(), " %d");
        break;
    case Call::RegisterRead:
        value = join(&t.result, &t.result + 1, " 0x%02X");
        [[fallthrough]];
    case Call::RegisterWrite:
        arguments = join(a.begin() + 1, a.end(), " 0x%02X");
        break;
    }
    call.resize(8, ' ');
    return call + arguments + (t.result < 0 ? " failed" + result : (value.empty() ? "" : " ->" + value) + " ok");
}

} // namespace

using TraceTest = EvalDialogFixture;

TEST_F(TraceTest, EveryAdapterCallIsOneLineSayingWhatTheBoardLogged)
{
    unsigned char rfw = 0;
    // What is done, and one line the trace must hold; without one the trace is stopped again before.
    const std::vector<std::tuple<const char*, std::function<void()>, const char*>> cases {
        { "start-up and release", [&] { adapterInit(rfw), adapterRelease(); },
            "firmware 5 -> 0x02 0x05 0x01 0x03 0x01 ok" },
        { "start-up without adapter", [&] { setFault(Fault::AdapterAbsent), adapterInit(rfw); },
            "firmware 5 failed -1" },
        { "window and Readback All", [this] { open(), click(IDC_READBACK_ALL); }, "read     0x2C 0x02 -> 0xA1 ok" },
        { "LED1", [this] { open(), click(IDC_LED1); }, "write    0x2C 0x14 0x3E ok" },
        { "failing Manual Read",
            [this] { open(), typeOver(IDC_REG_ADDR, "13"), setReadResultOverride(0x13, -5), click(IDC_READ); },
            "read     0x2C 0x13 failed -5" },
        { "trace off", [this] { open(), click(IDC_READBACK_ALL); }, nullptr },
    };
    for (const auto& [name, act, shown] : cases) {
        SCOPED_TRACE(name);
        TearDown();
        SetUp();
        std::FILE* file = std::tmpfile();
        ptxTraceTo(fileno(file));
        if (!shown)
            ptxTraceTo(-1);
        act();
        settle();
        ptxTraceTo(-1);
        std::rewind(file);
        std::vector<std::string> lines;
        long long time = 0, last = 0;
        for (char line[512]; std::fscanf(file, "%lld %511[^\n]\n", &time, line) == 2; last = time) {
            EXPECT_GE(time, last) << line; // the clock never goes back
            lines.emplace_back(line);
        }
        std::fclose(file);
        std::vector<std::string> expected;
        for (const auto& t : transactions())
            expected.push_back(expectedLine(t));
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(lines, shown ? expected : std::vector<std::string> {});
        EXPECT_TRUE(!shown || std::ranges::count(lines, shown) > 0) << shown;
    }
}

// A trace that cannot be written goes off and the calls go on; it says so once, unless its reader went away.
TEST_F(TraceTest, AFailingTraceGoesOffSayingSoOnceUnlessItsReaderLeft)
{
    std::signal(SIGPIPE, SIG_IGN); // as the programs do
    int readerGone[2];
    ASSERT_EQ(::pipe(readerGone), 0);
    ::close(readerGone[0]);
    const std::pair<int, std::string> cases[] {
        { readerGone[1], "" },
        { ::open("/dev/full", O_WRONLY | O_CLOEXEC),
            std::string(program_invocation_short_name)
                + ": the trace could not be written (No space left on device); going on without it\n" },
    };
    for (const auto& [fd, told] : cases) {
        SCOPED_TRACE(told);
        unsigned char rfw = 0;
        ::testing::internal::CaptureStderr();
        ptxTraceTo(fd);
        EXPECT_EQ(adapterInit(rfw), 0);
        adapterRelease();
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), told);
        EXPECT_FALSE(ptx::trace::on());
        ::close(fd);
    }
}
