// kv3124ctl run in-process on the simulated board: what it prints, its exit status, and the bus.
#include "cli/Ctl.h"

#include "adapter/AdapterConnectionTesting.h"
#include "ptx/sim/SimulatorControl.h"

#include "Version.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using ptx::sim::Access;
using ptx::sim::RegisterAccess;
namespace sim = ptx::sim;

const auto R = [](int reg, int value) { return RegisterAccess { Access::Read, reg, value }; };
const auto W = [](int reg, int value) { return RegisterAccess { Access::Write, reg, value }; };
const RegisterAccess failedRead14 { Access::Read, 0x14, -1, false };

const std::vector<RegisterAccess> powerOnReads { R(0x00, 0x01), R(0x01, 0), R(0x02, 0xA1), R(0x03, 0), R(0x04, 0),
    R(0x10, 0x01), R(0x11, 0x04), R(0x12, 0x02), R(0x13, 0x01), R(0x14, 0x3F), R(0x15, 0), R(0x16, 0), R(0x17, 0),
    R(0x18, 0), R(0x1C, 0), R(0x1D, 0), R(0x1E, 0), R(0x1F, 0) };

struct Case {
    QStringList args;
    std::vector<RegisterAccess> bus; // every register access, in order
    std::string out;
    int exit = 0;
    std::string err = {}; // all of standard error but the program's name
    std::function<void()> board = [] {};
    std::string input = {}; // standard input, and the file that `file` names
    std::map<int, std::function<void()>> later = {}; // board changes, by milliseconds from the start
    int interruptAt = -1; // Ctrl-C, in milliseconds from the start
};

// 2026-12-08T14:03:07.000Z: the clock the in-process runs keep, moved on only by their sleeps.
constexpr std::int64_t kStart = 1796738587000;

class CtlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::reset();
        adapterResetForTests();
    }

    struct Result {
        int exit;
        std::string out, err;
    };
    Result ctl(QStringList args, const std::string& input = {}, const Case& timing = {})
    {
        std::istringstream in(input);
        std::ostringstream out, err;
        args.prepend("kv3124ctl");
        std::int64_t now = kStart;
        std::map<int, std::function<void()>> later = timing.later;
        bool interrupted = false;
        const Clock clock { [&] { return now; },
            [&](std::int64_t milliseconds) {
                if (interrupted)
                    throw std::logic_error("slept on after Ctrl-C");
                const std::int64_t until = now + milliseconds;
                for (auto next = later.begin(); next != later.end() && kStart + next->first <= until;) {
                    now = std::max(now, kStart + next->first);
                    next->second();
                    next = later.erase(next);
                }
                if (timing.interruptAt >= 0 && kStart + timing.interruptAt <= until) {
                    now = std::max(now, kStart + timing.interruptAt);
                    interrupted = true;
                    return Wake::Interrupted;
                }
                now = until;
                return Wake::Due;
            },
            [](bool) {} };
        const int exit = runCtl(args, in, out, err, clock);
        return { exit, out.str(), err.str() };
    }
    void check(const std::vector<Case>& cases)
    {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.args.join(' ').toStdString() + " < " + c.input);
            SetUp();
            c.board();
            std::ofstream(file.toStdString()) << c.input;
            const Result result = ctl(c.args, c.input, c);
            EXPECT_EQ(result.exit, c.exit);
            EXPECT_EQ(result.out, c.out);
            EXPECT_EQ(result.err, c.err.empty() ? "" : "kv3124ctl: " + c.err + "\n");
            EXPECT_EQ(sim::registerAccesses(), c.bus);
        }
    }

    QTemporaryDir dir;
    const QString file = dir.filePath("board.kv3124");
};

// The compact JSON `text` as the tool prints it: indented by four, a line a value.
std::string indented(const char* text)
{
    return QJsonDocument::fromJson(text).toJson().toStdString();
}

const std::string powerOnDump = R"(0x00 0x01  # control: backlight=on, spread-spectrum=off, slew-rate=off
0x01 0x00  # status (read-only): uvlo=off, tsd=off, over-current=off, over-voltage=off, under-voltage=off, short=off, open=off
0x02 0xA1  # revision (shown only)
0x03 0x00  # brightness-lo: brightness=0
0x04 0x00  # brightness-hi
0x10 0x01  # config: mode="Brightness Hi/Lo Reg", auto-string=off, pwm-standby=off
0x11 0x04  # current: current-scale="100 = 18mA", iset-external=off
0x12 0x02  # pgen: pwm-frequency="14.6 kHz", pfset-external=off
0x13 0x01  # boost: boost-fset="1 MHz", boost-comp="BOOST COMP 0", comp-external=off, fset-external=off
0x14 0x3F  # led-enables: led1=on, led2=on, led3=on, led4=on, led5=on, led6=on
0x15 0x00  # step: step=Immediate, smoothing=None
0x16 0x00  # shown only
0x17 0x00  # shown only
0x18 0x00  # shown only
0x1C 0x00  # shown only
0x1D 0x00  # shown only
0x1E 0x00  # shown only
0x1F 0x00  # shown only
)";

// What a process of the tool meets at start.
struct Start {
    std::string closed = {}; // the standard descriptors it starts without
    bool readerGone = false; // standard error is a pipe whose reader has gone
    rlim_t fileLimit = RLIM_INFINITY; // bytes a file may grow to; a write beyond fails with EFBIG
    bool fullOutput = false; // standard output is /dev/full
};

std::string drain(int fd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t count; (count = ::read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(count));
    ::close(fd);
    return text;
}

// A running process and the test's ends of its standard streams (-1 where there is none).
struct Child {
    pid_t pid;
    int in, out, err;
};

// `program` started with `args`: standard input from the file `input`, or from a pipe the test writes to when
// `input` is empty; standard output and error to pipes the test reads.
Child launch(const char* program, std::vector<std::string> args, const std::string& input, const Start& start = {})
{
    int in[2] { -1, -1 }, out[2], err[2], gone[2];
    if ((input.empty() && ::pipe(in) != 0) || ::pipe(out) != 0 || ::pipe(err) != 0 || ::pipe(gone) != 0)
        return { -1, -1, -1, -1 };
    ::close(gone[0]);
    const pid_t child = ::fork();
    if (child == 0) {
        const int from = input.empty() ? in[0] : ::open(input.c_str(), O_RDONLY);
        if (start.fullOutput)
            ::dup2(::open("/dev/full", O_WRONLY), out[1]);
        const rlimit limit { start.fileLimit, start.fileLimit };
        if (::dup2(from, 0) != 0 || ::dup2(out[1], 1) != 1 || ::dup2(start.readerGone ? gone[1] : err[1], 2) != 2
            || ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(126);
        std::signal(SIGXFSZ, SIG_IGN);
        for (const char fd : start.closed)
            ::close(fd - '0');
        ::close_range(3, ~0U, 0);
        std::vector<char*> argv { const_cast<char*>(program) };
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        ::execv(program, argv.data());
        ::_exit(127);
    }
    for (const int fd : { in[0], out[1], err[1], gone[1] })
        ::close(fd);
    return { child, in[1], out[0], err[0] };
}

// Ends the child's input and waits for it: its exit status (128 and the signal when one ended it), standard output
// and standard error.
std::tuple<int, std::string, std::string> finish(const Child& child)
{
    ::close(child.in);
    std::string printed = drain(child.out), told = drain(child.err);
    int status = -1;
    ::waitpid(child.pid, &status, 0);
    return { WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status), printed, told };
}

} // namespace

TEST_F(CtlTest, RegisterCommandsAndOptions)
{
    check({
        { { "dump" }, powerOnReads, powerOnDump },
        { { "--adapter", "sim", "read", "0x14" }, { R(0x14, 0x3F) }, "0x3F\n" },
        { { "write", "0x14", "5" }, { W(0x14, 0x05) }, "" },
        { { "--wait=86401", "dump" }, {}, "", 2, "--wait='86401' is not a number of seconds from 0 to 86400" },
        { { "--wait=3", "read", "0x14" }, { R(0x14, 0x3F) }, "0x3F\n" },
        { { "-v" }, {}, "kv3124ctl " KV3124_VERSION "\n" },
    });
}

// Every kind of failure, its exit status and its one line: usage, files that cannot be read or written, the board,
// and each start-up step of the adapter (the bus's own failures are in the process table below, on a fake kernel).
TEST_F(CtlTest, EveryKindOfFailureHasItsExitStatusAndOneLine)
{
    const std::string missing = dir.filePath("missing").toStdString();
    const auto startFails = [](sim::Fault step) { return [step] { sim::setFault(step); }; };
    check({
        // Usage.
        { {}, {}, "", 2, "no command given (see --help)" },
        { { "erase" }, {}, "", 2, "unknown command 'erase' (see --help)" },
        { { "write", "0x14" }, {}, "", 2, "usage: write REG VALUE" },
        { { "--bogus", "dump" }, {}, "", 2,
            "Unknown option 'bogus'; valid options: --adapter=NAME, --wait=SECONDS, --list-adapters, --json, "
            "--trace=FILE, -h, --help, -v, --version" },
        { { "--adapter=bogus", "dump" }, {}, "", 2,
            "unknown adapter 'bogus' (choose sim, none, i2c-N, i2c:NAME or serial:SERIAL)" },
        { { "--wait=-1", "dump" }, {}, "", 2, "--wait='-1' is not a number of seconds from 0 to 86400" },
        { { "write", "0x01", "0" }, {}, "", 2, "register 0x01 is read-only" },
        { { "watch", "--interval=49" }, {}, "", 2,
            "--interval='49' is not a number of milliseconds from 50 to 3600000" },
        { { "watch", "--count=0" }, {}, "", 2, "--count='0' is not a number of reads from 1 to 4294967295" },
        { { "watch", "--until=led3" }, {}, "", 2, "--until: led3 is not in the status register; watch --all" },
        { { "watch", "--until=open,fire" }, {}, "", 2, "--until: unknown field 'fire' (a field name or fault)" },
        { { "watch", "--interval" }, {}, "", 2, "usage: --interval=MS" },
        { { "diff", "--all=yes", "a" }, {}, "", 2, "usage: --all" },
        { { "dump", "--bogus" }, {}, "", 2, "unknown option '--bogus' for dump" },
        { { "export", "--format=hex" }, {}, "", 2, "--format='hex' is not one of c, i2cset, json" },
        // Files.
        { { "load", QString::fromStdString(missing) }, {}, "", 2, missing + ": No such file or directory" },
        { { "run", QString::fromStdString(missing) }, {}, "", 2, missing + ": No such file or directory" },
        { { "save", dir.filePath("no/such") }, powerOnReads, "", 2,
            dir.filePath("no/such").toStdString() + ": No such file or directory (not saved)" },
        { { "diff", file, QString::fromStdString(missing) }, {}, "", 2, missing + ": No such file or directory", [] {},
            "0x14 0x3F\n" },
        { { "export", file }, {}, "", 2, file.toStdString() + " holds no register a load writes", [] {},
            "0x01 0x00\n0x16 0x00\n" },
        // The board.
        { { "diff", file },
            { R(0x00, 0x01), R(0x01, 0), R(0x02, 0xA1), R(0x03, 0), R(0x04, 0), R(0x10, 0x01), R(0x11, 0x04),
                R(0x12, 0x02), R(0x13, 0x01), failedRead14 },
            "", 1, "reading register 0x14 failed (no answer on the bus)", [] { sim::failReadsOf(0x14); },
            "0x14 0x3F\n" },
        // The adapter's start-up, step by step.
        { { "--adapter=none", "dump" }, {}, "", 1, "USB Initialization Error: no adapter (--adapter=none)" },
        // The program's options may follow the command, as they always could.
        { { "dump", "--adapter=none" }, {}, "", 1, "USB Initialization Error: no adapter (--adapter=none)" },
        { { "dump" }, {}, "", 1, "USB Initialization Error: the adapter's firmware version cannot be read",
            startFails(sim::Fault::FirmwareRead) },
        { { "dump" }, {}, "", 1, "USB Initialization Error: the adapter's I2C configuration failed",
            startFails(sim::Fault::I2cControl) },
        { { "dump" }, {}, "", 1, "USB Initialization Error: the adapter's GPIO configuration failed",
            startFails(sim::Fault::GpioControl) },
        { { "dump" }, {}, "", 1, "USB Initialization Error: the adapter's power configuration failed",
            startFails(sim::Fault::PowerControl) },
    });
}

// Where the trace may go: a file (replaced), a terminal, /dev/null; nothing else is written to. Each adapter call is
// a line: the milliseconds since the start, the call, its arguments but the handle (but for close) and its result.
TEST_F(CtlTest, TraceGoesOnlyToAFileATerminalOrDevNull)
{
    const std::string victim = dir.filePath("victim").toStdString(), trace = dir.filePath("trace").toStdString();
    const auto at = [&](const char* name) { return "--trace=" + dir.filePath(name); };
    std::ofstream(trace) << std::string(4096, '#') + " an earlier run's lines\n"; // longer than this run's
    std::ofstream(victim) << "keep\n";
    std::filesystem::create_symlink(victim, dir.filePath("link").toStdString());
    std::filesystem::create_hard_link(victim, dir.filePath("hard").toStdString());
    std::filesystem::create_directory(dir.filePath("folder").toStdString());
    sockaddr_un address { .sun_family = AF_UNIX, .sun_path = {} };
    dir.filePath("socket").toStdString().copy(address.sun_path, sizeof address.sun_path - 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const auto refused = [&](const QString& option, const std::string& why) {
        const std::string target = option.mid(8).toStdString();
        return Case { { option, "read", "0x14" }, {}, "", 2, "cannot write the trace to " + target + " (" + why + ")" };
    };
    check({
        { { at("trace"), "run", "-" }, { R(0x14, 0x3F), W(0x14, 0x05), { Access::Read, 0x13, -5, false } }, "0x3F\n", 1,
            "line 3: reading register 0x13 failed (no answer on the bus)", [] { sim::setReadResultOverride(0x13, -5); },
            "read 0x14\nwrite 0x14 5\nread 0x13\n" },
        { { "--trace=/dev/null", "read", "0x14" }, { R(0x14, 0x3F) }, "0x3F\n" },
        { { "--trace=", "read", "0x14" }, {}, "", 2,
            "--trace= names no file (--trace alone writes to standard error)" },
        refused("--trace=/no/such/dir/t", "No such file or directory"),
        refused(at("link"), "a symbolic link; give the file itself"),
        refused(at("hard"), "a file with another name (a hard link); give a file of its own"),
        refused(at("folder"), "a directory"),
        refused(at("socket"), "a socket"),
        // A device node takes writes as its device's own traffic; /dev/i2c-N would put them on the bus.
        refused("--trace=/dev/full", "a character device that is neither a terminal nor /dev/null"),
    });
    ::close(socket);
    std::ifstream traced(trace), kept(victim);
    std::string lines;
    long long time = 0, last = 0;
    for (std::string line; traced >> time && std::getline(traced, line); last = time) {
        EXPECT_GE(time, last) << line; // the clock never goes back
        lines += line + '\n';
    }
    EXPECT_TRUE(traced.eof()) << "an earlier trace is replaced, never written over or appended to";
    EXPECT_EQ(lines,
        " find     -> 1 ok\n serial   0 -> \"SIM-3124-0001\" ok\n open     \"SIM-3124-0001\" -> 1 ok\n"
        " firmware 5 -> 0x02 0x05 0x01 0x03 0x01 ok\n i2c      0 0 1 ok\n gpio     0 0 1 1 1 1 2 1 0 0 0 0 0 ok\n"
        " power    1 0 ok\n read     0x2C 0x14 -> 0x3F ok\n write    0x2C 0x14 0x05 ok\n read     0x2C 0x13 failed -5\n"
        " close    1 ok\n");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep\n");
}

TEST_F(CtlTest, DumpAsJsonHoldsEveryRegisterWithItsFields)
{
    const QJsonArray registers
        = QJsonDocument::fromJson(QByteArray::fromStdString(ctl({ "dump", "--json" }).out))["registers"].toArray();
    ASSERT_EQ(registers.size(), static_cast<qsizetype>(powerOnReads.size()));
    for (qsizetype i = 0; i < registers.size(); ++i)
        EXPECT_EQ(std::pair(registers[i]["address"].toInt(), registers[i]["value"].toInt()),
            std::pair(powerOnReads[i].registerAddress, powerOnReads[i].value));
    EXPECT_EQ(registers[6].toObject(),
        QJsonDocument::fromJson(R"({"address": 17, "name": "current", "access": "written", "value": 4, "fields": [
            {"name": "current-scale", "value": 4, "item": "100 = 18mA"},
            {"name": "iset-external", "value": 0, "item": "off"}]})")
            .object());
    EXPECT_EQ(registers[3]["fields"][0].toObject(), (QJsonObject { { "name", "brightness" }, { "value", 0 } }));
    EXPECT_EQ(std::pair(registers[1]["access"], registers[2]["access"]),
        std::pair(QJsonValue("read-only"), QJsonValue("shown-only")));
}

// Each field set from a register holding the opposite bits, then read back: only the field's bits change.
TEST_F(CtlTest, SetAndGetEveryField)
{
    struct FieldCase {
        std::string set; // field and value as a script line writes them
        int reg, before, written;
        std::string got;
    };
    const std::vector<FieldCase> fields {
        { "backlight off", 0x00, 0x7F, 0x7E, "off" },
        { "spread-spectrum 1", 0x00, 0x00, 0x02, "on" },
        { "slew-rate 0", 0x00, 0x7F, 0x7B, "off" },
        { "mode \"PWM x Brt Hi/Lo Reg\"", 0x10, 0xFC, 0xFE, "\"PWM x Brt Hi/Lo Reg\"" },
        { "auto-string on", 0x10, 0x00, 0x04, "on" },
        { "pwm-standby off", 0x10, 0xFF, 0x7F, "off" },
        { "current-scale \"100 = 18mA\"", 0x11, 0xFF, 0xFC, "\"100 = 18mA\"" },
        { "iset-external on", 0x11, 0x00, 0x80, "on" },
        { "pwm-frequency 5", 0x12, 0x00, 0x05, "\"29.3 kHz\"" },
        { "pfset-external off", 0x12, 0xFF, 0x7F, "off" },
        { "boost-fset \"500 kHz\"", 0x13, 0xFF, 0xFE, "\"500 kHz\"" },
        { "boost-comp \"BOOST COMP 1\"", 0x13, 0x00, 0x02, "\"BOOST COMP 1\"" },
        { "comp-external on", 0x13, 0x00, 0x40, "on" },
        { "fset-external off", 0x13, 0xFF, 0x7F, "off" },
        { "led1 off", 0x14, 0xFF, 0xFE, "off" },
        { "led2 on", 0x14, 0x00, 0x02, "on" },
        { "led3 off", 0x14, 0xFF, 0xFB, "off" },
        { "led4 on", 0x14, 0x00, 0x08, "on" },
        { "led5 off", 0x14, 0xFF, 0xEF, "off" },
        { "led6 on", 0x14, 0x00, 0x20, "on" },
        { "step \"200 ms\"", 0x15, 0x00, 0x03, "\"200 ms\"" },
        { "smoothing 0x1", 0x15, 0xFF, 0x7F, "\"Light Smoothing\"" },
    };
    std::vector<Case> cases;
    for (const FieldCase& f : fields) {
        const std::string name = f.set.substr(0, f.set.find(' '));
        cases.push_back({ { "run", "-" }, { R(f.reg, f.before), W(f.reg, f.written), R(f.reg, f.written) },
            name + '=' + f.got + '\n', 0, "", [f] { sim::setRegister(f.reg, f.before); },
            "set " + f.set + "\nget " + name + '\n' });
    }
    check(cases);
    // The brightness pair goes out without a read, low register first, as the slider writes it.
    check({
        { { "run", "-" }, { W(0x03, 0x50), W(0x04, 0x80), R(0x03, 0x50), R(0x04, 0x80) }, "brightness=2053\n", 0, "",
            [] {}, "set brightness 0x805\nget brightness" },
        { { "get", "open" }, { R(0x01, 0xC5) }, "open=on\n", 0, "", [] { sim::setStatusBits(0xC5); } },
        { { "set", "current-scale", "8" }, {}, "", 2,
            "'8' is not a value of current-scale (valid: 0 to 7 or \"000 = 5mA\", \"001 = 10mA\", \"010 = 13mA\", "
            "\"011 = 15mA\", \"100 = 18mA\", \"101 = 20mA\", \"110 = 23mA\", \"111 = 25mA\")" },
        { { "set", "uvlo", "on" }, {}, "", 2, "uvlo is in the read-only register 0x01" },
        { { "set", "led", "on" }, {}, "", 2,
            "unknown field 'led' (valid fields: backlight, spread-spectrum, slew-rate, uvlo, tsd, over-current, "
            "over-voltage, under-voltage, short, open, brightness, mode, auto-string, pwm-standby, current-scale, "
            "iset-external, pwm-frequency, pfset-external, boost-fset, boost-comp, comp-external, fset-external, led1, "
            "led2, led3, led4, led5, led6, step, smoothing)" },
        // A failed read leaves nothing to modify: nothing is written.
        { { "set", "led3", "on" }, { failedRead14 }, "", 1, "reading register 0x14 failed (no answer on the bus)",
            [] { sim::failReadsOf(0x14); } },
    });
}

TEST_F(CtlTest, SavedRegistersLoadBackInASafeOrder)
{
    const std::map<int, int> saved { { 0x00, 0x07 }, { 0x03, 0x50 }, { 0x04, 0x12 }, { 0x10, 0x86 }, { 0x11, 0x85 },
        { 0x12, 0x3A }, { 0x13, 0xC2 }, { 0x14, 0x15 }, { 0x15, 0xC3 }, { 0x16, 0x5A } };
    for (const auto& [reg, value] : saved)
        sim::setRegister(reg, value);
    const std::string dump = ctl({ "dump" }).out;
    ASSERT_EQ(ctl({ "save", file }).exit, 0);
    QFile snapshot(file);
    ASSERT_TRUE(snapshot.open(QIODevice::ReadOnly));
    const std::string text = snapshot.readAll().toStdString();
    EXPECT_TRUE(text.starts_with("# KV3124 registers, format 2\n# date: 20")) << text;
    EXPECT_TRUE(text.ends_with("Z\n# adapter: sim\n# firmware: Version: USB RFW:2.5; FFW:1.3\n" + dump + "# end\n"))
        << text;

    SetUp();
    EXPECT_EQ(ctl({ "load", file }).out,
        "written: 0x13, 0x11, 0x12, 0x10, 0x15, 0x14, 0x03, 0x04, 0x00\n"
        "skipped: 0x01, 0x02, 0x16, 0x17, 0x18, 0x1C, 0x1D, 0x1E, 0x1F\n");
    // Each register reads back as saved right after its write; later writes go to other registers.
    std::vector<RegisterAccess> bus;
    for (const int reg : { 0x13, 0x11, 0x12, 0x10, 0x15, 0x14, 0x03, 0x04, 0x00 })
        bus.insert(bus.end(), { W(reg, saved.at(reg)), R(reg, saved.at(reg)) });
    EXPECT_EQ(sim::registerAccesses(), bus);

    // The same file cut short anywhere (here inside the LED enables' value) writes nothing.
    std::ofstream(file.toStdString(), std::ios::trunc) << text.substr(0, text.find("0x14 0x1") + 8);
    SetUp();
    EXPECT_EQ(ctl({ "load", file }).err,
        "kv3124ctl: " + file.toStdString() + " is cut short: it was saved with an end line, which is missing\n");
    EXPECT_EQ(sim::registerAccesses(), std::vector<RegisterAccess>());
}

TEST_F(CtlTest, LoadChecksTheWholeFileAndStopsAtTheFirstFailure)
{
    const std::string good = "0x14 0x3F\n0x11 0x05\n0x00 0x81  # a load never resets\n0x02 0x00\n";
    const std::string path = file.toStdString();
    const auto refused = [&](const std::string& input, const std::string& message) {
        return Case { { "load", file }, {}, "", 2, message, [] {}, input };
    };
    const auto bad
        = [&](const std::string& input, const std::string& problem) { return refused(input, path + ": " + problem); };
    const std::string fifo = dir.filePath("fifo").toStdString();
    ::mkfifo(fifo.c_str(), 0600);
    const std::vector<RegisterAccess> goodWrites { W(0x11, 0x05), R(0x11, 0x05), W(0x14, 0x3F), R(0x14, 0x3F),
        W(0x00, 0x01), R(0x00, 0x01) };
    const std::string goodOut = "written: 0x11, 0x14, 0x00\nskipped: 0x02\n";
    const std::string header = "# KV3124 registers\n# date: 2026-12-07T01:21:20Z\n# adapter: sim\n";
    check({
        { { "load", file }, { W(0x11, 0x05), R(0x11, 0x05), { Access::Write, 0x14, 0x3F, false } }, "", 1,
            "writing 0x3F to register 0x14 failed (no answer on the bus); written before: 0x11",
            [] { sim::failWritesOf(0x14); }, good },
        { { "load", file }, { W(0x11, 0x05), R(0x11, 0x05), W(0x14, 0x3F), R(0x14, 0x3E) }, "", 1,
            "register 0x14 reads back 0x3E, not 0x3F as written; written before: 0x11",
            [] { sim::setReadResultOverride(0x14, 0x3E); }, good },
        bad("# header\n\n0x14\n", "line 3: expected a register and a value, like 0x14 0x3F"),
        bad("0x14 on\n", "line 1: 'on' is not a number"),
        bad("0x14 \x1B[2J\n", "line 1: '?[2J' is not a number"),
        bad("0x14 0x3F\n0x19 0x00\n", "line 2: the chip has no register 0x19"),
        bad("0x11 0x05\n0x14 0x100\n", "line 2: value 0x100 of register 0x14 is above 0xFF"),
        bad("0x14 0x3F\n0x11 0\n20 0x3F\n", "line 3: register 0x14 given twice (first on line 1)"),
        // Files saved before the end line, a byte-order mark, and what no snapshot is.
        { { "load", file }, goodWrites, goodOut, 0, "", [] {}, "\xEF\xBB\xBF" + header + good },
        refused("", "no registers in " + path),
        refused(header + "\n", "no registers in " + path),
        bad("# KV3124 registers, format 2\n0x14 0x3F\n# end\n0x11 0x05\n", "line 4: a register after the end line"),
        bad("0x11 0x05\n0x14 " + std::string(1000000, 'A') + "\n",
            "line 2: 'AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA...' is not a number"),
        refused(std::string(1024 * 1024 + 1, '#'), path + " is larger than 1 MiB"),
        { { "load", "/dev/zero" }, {}, "", 2, "/dev/zero is not a regular file (a device, pipe or socket)" },
        { { "load", QString::fromStdString(fifo) }, {}, "", 2,
            fifo + " is not a regular file (a device, pipe or socket)" },
    });
}

TEST_F(CtlTest, RunStopsAtTheFirstFailingLine)
{
    check({
        { { "run", "-" }, { R(0x14, 0x3F), W(0x14, 0x05) }, "0x3F\n", 2, "line 5: register 0x01 is read-only", [] {},
            "read 0x14\nwrite 0x14 0x05\n\n  # a comment\nwrite 0x01 0\nread 0x14\n" },
        { { "run", file }, { W(0x14, 0x05), { Access::Write, 0x11, 0x04, false } }, "", 1,
            "line 2: writing 0x04 to register 0x11 failed (no answer on the bus)", [] { sim::failWritesOf(0x11); },
            "write 0x14 5\nwrite 0x11 4\nwrite 0x10 0\n" },
        { { "run", "-" }, {}, "", 2, "line 1: unclosed quote", [] {}, "set mode \"PWM\n" },
        { { "run", "-" }, {}, "", 2, "line 1: run cannot be nested", [] {}, "run -\n" },
        // Scripts are read a line at a time, each line bounded.
        { { "run", "-" }, { R(0x14, 0x3F) }, "0x3F\n", 2, "line 2: longer than 4096 bytes", [] {},
            "\xEF\xBB\xBFread 0x14\n" + std::string(5000, 'x') },
        { { "run", "/dev/zero" }, {}, "", 2, "line 1: longer than 4096 bytes" },
        { { "run", dir.path() }, {}, "", 2, dir.path().toStdString() + " is a folder" },
        { { "run", "-" }, {}, "", 2, "line 1: unknown command '" + std::string(40, 'x') + "...'", [] {},
            std::string(60, 'x') },
        // A terminal's escape sequence in the input is shown, not obeyed.
        { { "run", "-" }, {}, "", 2, "line 1: unknown command '?]0;title?'", [] {}, "\x1B]0;title\x07\n" },
    });
}

// The tool as a process: each answer of `run -` comes before the next line is sent, so a co-process can drive it.
TEST_F(CtlTest, RunAnswersEachLineBeforeTheNextIsRead)
{
    const Child script = launch(KV3124CTL, { "run", "-" }, "");
    // What arrives within ten seconds after `lines` were sent, up to the end of a line.
    const auto answer = [&](const std::string& lines) {
        EXPECT_EQ(::write(script.in, lines.data(), lines.size()), static_cast<ssize_t>(lines.size()));
        std::string line;
        char c = 0;
        pollfd ready { script.out, POLLIN, 0 };
        while (::poll(&ready, 1, 10000) == 1 && ::read(script.out, &c, 1) == 1 && (line += c, c != '\n')) { }
        return line;
    };
    EXPECT_EQ(answer("read 0x14\n"), "0x3F\n");
    EXPECT_EQ(answer("write 0x14 5\nread 0x14\n"), "0x05\n");
    EXPECT_EQ(finish(script), std::tuple(0, "", ""));
}

// The tool as a process, where its guard of the standard streams and the trace's own failures show.
TEST_F(CtlTest, StandardStreamsClosedOrBrokenNeitherReachTheBusNorStopTheWork)
{
    const std::string trace = dir.filePath("trace").toStdString();
    const std::string good = "0x14 0x3F\n0x11 0x05\n0x00 0x81\n0x02 0x00\n",
                      loaded = "written: 0x11, 0x14, 0x00\nskipped: 0x02\n";
    const struct {
        std::vector<std::string> args;
        Start start;
        int exit = 0;
        std::string out = {}, err = {};
    } cases[] = {
        // On the fake kernel's bus, whose node must receive no byte (the driver ends with 3 when it does).
        { { "--adapter=i2c-5", "read", "0x14" }, {}, 0, "0x00\n" },
        // The back end's reason is the one line said.
        { { "--adapter=i2c-6", "read", "0x14" }, {}, 1, "", "ctl_driver: i2c-6: no device answers at 0x2C\n" },
        // A USB bridge going away: said at once, without waiting.
        { { "--adapter=serial:KV-SN-000A", "read", "0x14" }, {}, 1, "",
            "ctl_driver: i2c-7: adapter \"MCP2221 usb-i2c bridge\" on USB port 1-2 with serial number KV-SN-000A is "
            "gone\n" },
        // Plugged in seconds ago, its transfers time out until it has started.
        { { "--adapter=i2c-8", "read", "0x14" }, {}, 1, "",
            "ctl_driver: i2c-8: the bridge is still starting (it can take about 30 s after plugging in); try again "
            "in a few seconds\n" },
        // The back end says why while the node is open: onto the node, were 2 left closed.
        { { "--adapter=i2c-6", "read", "0x14" }, { .closed = "12" }, 1 },
        // A trace reader that went away ends the trace, not the load.
        { { "--trace", "load", file.toStdString() }, { .readerGone = true }, 0, loaded },
        // A trace that cannot grow is said once, and the work goes on.
        { { "--trace=" + trace, "load", file.toStdString() }, { .fileLimit = 200 }, 0, loaded,
            "kv3124ctl: the trace could not be written (File too large); going on without it\n" },
        // Standard output is checked, also when the output fits its buffer.
        { { "dump", "--json" }, { .fullOutput = true }, 2, "",
            "kv3124ctl: cannot write standard output (No space left on device)\n" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front() + " " + c.args.back() + ", closed " + c.start.closed);
        std::ofstream(file.toStdString()) << good;
        const std::string input = dir.filePath("input").toStdString();
        std::ofstream(input) << "load " + file.toStdString() + "\n";
        const bool onBus
            = c.args.front().starts_with("--adapter=i2c") || c.args.front().starts_with("--adapter=serial");
        EXPECT_EQ(
            finish(launch(onBus ? CTL_DRIVER : KV3124CTL, c.args, input, c.start)), std::tuple(c.exit, c.out, c.err));
    }
    EXPECT_EQ(std::filesystem::file_size(trace), 200U);
}

// Every spelling a number may take, the extremes, and the first refused on each side: a register byte, a field's
// value and a snapshot's register and value.
TEST_F(CtlTest, NumbersAtTheirBoundaries)
{
    std::vector<Case> cases;
    const std::vector<std::pair<QString, int>> bytes { { "0", 0 }, { "0x0", 0 }, { "0XfF", 255 }, { "255", 255 },
        { "0x000FF", 255 }, { "0x100", -1 }, { "256", -1 }, { "-1", -1 }, { "+1", -1 }, { "0x", -1 }, { "", -1 },
        { " 1", -1 }, { "4294967296", -1 }, { "0x1g", -1 }, { "1.0", -1 } };
    // In a script, so that "-1" is a word rather than an option, quoted to keep blanks and the empty word.
    const auto line
        = [](const std::string& command, const QString& word) { return command + " \"" + word.toStdString() + "\"\n"; };
    for (const auto& [word, value] : bytes)
        cases.push_back(value < 0
                ? Case { { "run", "-" }, {}, "", 2,
                    "line 1: value '" + word.toStdString() + "' is not a number from 0 to 0xFF", [] {},
                    line("write 0x14", word) }
                : Case { { "run", "-" }, { W(0x14, value) }, "", 0, "", [] {}, line("write 0x14", word) });
    const std::vector<std::pair<QString, int>> brightness { { "0", 0 }, { "4095", 4095 }, { "0xFFF", 4095 },
        { "4096", -1 }, { "0x1000", -1 }, { "-0", -1 } };
    for (const auto& [word, value] : brightness)
        cases.push_back(value < 0 ? Case { { "run", "-" }, {}, "", 2,
                            "line 1: '" + word.toStdString() + "' is not a value of brightness (valid: 0 to 4095)",
                            [] {}, line("set brightness", word) }
                                  : Case { { "run", "-" }, { W(0x03, (value & 0xF) << 4), W(0x04, value >> 4) }, "", 0,
                                      "", [] {}, line("set brightness", word) });
    cases.push_back({ { "read", "0x1F" }, { R(0x1F, 0) }, "0x00\n" });
    cases.push_back({ { "read", "0x100" }, {}, "", 2, "register '0x100' is not a number from 0 to 0xFF" });
    cases.push_back(
        { { "load", file }, { W(0x00, 0), R(0x00, 0) }, "written: 0x00\nskipped: \n", 0, "", [] {}, "0x00 0x000\n" });
    cases.push_back({ { "load", file }, {}, "written: \nskipped: 0x1F\n", 0, "", [] {}, "0x1F 255\n" });
    for (const auto& [snapshot, problem] : std::vector<std::pair<std::string, std::string>> {
             { "0x14 4294967296", "'4294967296' is not a number" }, { "0x20 0", "the chip has no register 0x20" },
             { "0x05 0", "the chip has no register 0x05" }, { "-0x1 0", "'-0x1' is not a number" } })
        cases.push_back(
            { { "load", file }, {}, "", 2, file.toStdString() + ": line 1: " + problem, [] {}, snapshot + '\n' });
    check(cases);
}

// watch on a clock that only its sleeps move: a line per change, the end as asked, failed reads said once an episode.
TEST_F(CtlTest, WatchPrintsALinePerChangeAndEndsAsAsked)
{
    const std::vector<RegisterAccess> status3(3, R(0x01, 0));
    const std::string clear
        = "uvlo=off tsd=off over-current=off over-voltage=off under-voltage=off short=off open=off\n";
    const auto at = [](const char* time) { return std::string("2026-12-08T14:03:") + time + "Z "; };
    const auto setStatus = [](int bits) { return [bits] { sim::setStatusBits(bits); }; };
    check({
        { { "watch", "--count=3" }, status3, at("07.000") + clear + at("07.400") + "end after 3 reads\n" },
        { { "watch", "--count=4" }, { R(0x01, 0), R(0x01, 0), R(0x01, 0x80), R(0x01, 0x80) },
            at("07.000") + clear + at("07.400") + "open=on\n" + at("07.600") + "end after 4 reads\n", 0, "", [] {}, "",
            { { 250, setStatus(0x80) } } },
        // --until ends on a state, also one that holds at the first read.
        { { "watch", "--until=fault", "--interval=300" }, { R(0x01, 0), R(0x01, 0), R(0x01, 0x06) },
            at("07.000") + clear + at("07.600") + "tsd=on over-current=on\n" + at("07.600") + "end after 3 reads\n", 3,
            "", [] {}, "", { { 450, setStatus(0x06) } } },
        { { "watch", "--until=short,open" }, { R(0x01, 0x52) },
            at("07.000") + "uvlo=off tsd=on over-current=off over-voltage=off under-voltage=on short=on open=off\n"
                + at("07.000") + "end after 1 read\n",
            3, "", setStatus(0x52) },
        { { "watch", "--until=open" }, { R(0x01, 0), R(0x01, 0x48), R(0x01, 0) },
            at("07.000") + clear + at("07.200") + "over-voltage=on short=on\n" + at("07.400")
                + "over-voltage=off short=off\n" + at("07.500") + "end after 3 reads\n",
            0, "", [] {}, "", { { 100, setStatus(0x48) }, { 300, setStatus(0) } }, 500 },
        // --for and Ctrl-C.
        { { "watch", "--for=1", "--interval=300" }, std::vector<RegisterAccess>(4, R(0x01, 0)),
            at("07.000") + clear + at("08.000") + "end after 4 reads\n" },
        { { "watch" }, status3, at("07.000") + clear + at("07.500") + "end after 3 reads\n", 0, "", [] {}, "", {},
            500 },
        // A failed read is said once an episode; the state goes on from the last read that worked.
        { { "watch", "--count=5" },
            { { Access::Read, 0x01, -1, false }, { Access::Read, 0x01, -1, false }, R(0x01, 0),
                { Access::Read, 0x01, -1, false }, R(0x01, 0x20) },
            at("07.400") + clear + at("07.800") + "0x01&0x20=0x20\n" + at("07.800") + "end after 5 reads\n", 0,
            at("07.000") + "reading register 0x01 failed (no answer on the bus); watching on\nkv3124ctl: "
                + at("07.600") + "reading register 0x01 failed (no answer on the bus); watching on",
            [] { sim::failNextReads(2); }, "", { { 500, [] { sim::failNextReads(1); } }, { 700, setStatus(0x20) } } },
        // Every register: only what changed, the undecoded bits as bytes.
        { { "watch", "--all", "--count=2" },
            [] {
                std::vector<RegisterAccess> bus = powerOnReads;
                bus.insert(bus.end(), powerOnReads.begin(), powerOnReads.end());
                bus[18 + 9] = R(0x14, 0x3B);
                bus[18 + 13] = R(0x18, 0x07);
                return bus;
            }(),
            at("07.000") + "backlight=on spread-spectrum=off slew-rate=off " + clear.substr(0, clear.size() - 1)
                + " 0x02=0xA1 brightness=0 mode=\"Brightness Hi/Lo Reg\" auto-string=off pwm-standby=off "
                  "current-scale=\"100 = 18mA\" iset-external=off pwm-frequency=\"14.6 kHz\" pfset-external=off "
                  "boost-fset=\"1 MHz\" boost-comp=\"BOOST COMP 0\" comp-external=off fset-external=off led1=on "
                  "led2=on led3=on led4=on led5=on led6=on step=Immediate smoothing=None\n"
                + at("07.200") + "led3=off 0x18=0x07\n" + at("07.200") + "end after 2 reads\n",
            0, "", [] {}, "", { { 100, [] { sim::setRegister(0x14, 0x3B), sim::setRegister(0x18, 7); } } } },
        { { "--json", "watch", "--count=2" }, { R(0x01, 0), R(0x01, 0x01) },
            R"({"fields":[{"item":"off","name":"uvlo","register":1,"value":0},{"item":"off","name":"tsd","register":1,"value":0},)"
            R"({"item":"off","name":"over-current","register":1,"value":0},{"item":"off","name":"over-voltage","register":1,"value":0},)"
            R"({"item":"off","name":"under-voltage","register":1,"value":0},{"item":"off","name":"short","register":1,"value":0},)"
            R"({"item":"off","name":"open","register":1,"value":0}],"time":"2026-12-08T14:03:07.000Z"})"
            "\n"
            R"({"fields":[{"item":"on","name":"uvlo","register":1,"value":1}],"time":"2026-12-08T14:03:07.200Z"})"
            "\n"
            R"({"reads":2,"time":"2026-12-08T14:03:07.200Z"})"
            "\n",
            0, "", [] {}, "", { { 100, setStatus(0x01) } } },
    });
}

// diff between two files opens no adapter (--adapter=none would fail); against the chip it reads the chip.
TEST_F(CtlTest, DiffComparesTheSettingsFieldByField)
{
    const QString other = dir.filePath("good.kv3124"), leds = dir.filePath("leds.kv3124");
    std::ofstream(other.toStdString()) << powerOnDump;
    std::ofstream(leds.toStdString()) << "0x14 0x3B\n";
    std::string changed = powerOnDump;
    for (const auto& [from, to] :
        std::vector<std::pair<std::string, std::string>> { { "0x00 0x01", "0x00 0x81" }, { "0x01 0x00", "0x01 0x80" },
            { "0x03 0x00", "0x03 0x50" }, { "0x04 0x00", "0x04 0x80" }, { "0x10 0x01", "0x10 0x09" },
            { "0x11 0x04", "0x11 0x05" }, { "0x14 0x3F", "0x14 0x3B" }, { "0x16 0x00", "0x16 0x5A" } })
        changed.replace(changed.find(from), from.size(), to);
    const std::string settings = "0x00&0xF8: 0x80 -> 0x00\nbrightness: 2053 -> 0\n0x10&0x78: 0x08 -> 0x00\n"
                                 "current-scale: \"101 = 20mA\" -> \"100 = 18mA\"\nled3: off -> on\n";
    check({
        { { "--adapter=none", "diff", file, other }, {}, "", 0, "", [] {}, powerOnDump },
        { { "--adapter=none", "diff", file, other }, {}, settings, 3, "", [] {}, changed },
        { { "--adapter=none", "diff", "--all", file, other }, {},
            "0x00&0xF8: 0x80 -> 0x00\nopen: on -> off\nbrightness: 2053 -> 0\n0x10&0x78: 0x08 -> 0x00\n"
            "current-scale: \"101 = 20mA\" -> \"100 = 18mA\"\nled3: off -> on\n0x16: 0x5A -> 0x00\n",
            3, "", [] {}, changed },
        // Only what both hold is compared: a hand-written subset.
        { { "--adapter=none", "diff", "--all", file, other }, {}, "", 0, "", [] {}, "0x14 0x3F\n0x02 0xA1\n" },
        { { "diff", file }, powerOnReads, "led3: off -> on\n", 3, "", [] {}, "0x14 0x3B\n" },
        { { "diff", "--json", file }, powerOnReads,
            indented(R"({"differences": [{"from": {"item": "off", "name": "led3", "register": 20, "value": 0},
                "to": {"item": "on", "name": "led3", "register": 20, "value": 1}}]})"),
            3, "", [] {}, "0x14 0x3B\n" },
        // Differences do not stop a script; its status says a line found some.
        { { "run", "-" }, { R(0x14, 0x3F) }, "led3: off -> on\n0x3F\n", 3, "", [] {},
            "diff " + leds.toStdString() + " " + other.toStdString() + "\nread 0x14\n" },
    });
}

// export is the load's writes, in its order, without the reset bit, and only what the load writes.
TEST_F(CtlTest, ExportWritesWhatALoadWritesInItsOrder)
{
    const std::string saved = "0x00 0x87\n0x01 0xFF\n0x02 0xA1\n0x03 0x50\n0x04 0x12\n0x10 0x86\n0x11 0x85\n0x12 0x3A\n"
                              "0x13 0xC2\n0x14 0x15\n0x15 0xC3\n0x16 0x5A\n";
    const std::string head
        = "#!/bin/sh\n# KV3124 register writes that set the chip as saved, in order (kv3124ctl export).\n"
          "# Usage: sh FILE BUS, BUS being the number of the board's I2C bus (i2cdetect -l lists them).\n"
          "set -e\nif [ $# -ne 1 ]; then\n    echo \"usage: $0 BUS\" >&2\n    exit 2\nfi\nBUS=$1\n";
    const std::string line = "i2cset -y \"$BUS\" 0x2c ";
    check({
        { { "--adapter=none", "export", "--format=i2cset", file }, {},
            head + line
                + "0x13 0xC2  # boost: boost-fset=\"500 kHz\", boost-comp=\"BOOST COMP 1\", comp-external=on, "
                  "fset-external=on\n"
                + line + "0x11 0x85  # current: current-scale=\"101 = 20mA\", iset-external=on\n" + line
                + "0x12 0x3A  # pgen: pwm-frequency=\"14.6 kHz\", pfset-external=off\n" + line
                + "0x10 0x86  # config: mode=\"PWM x Brt Hi/Lo Reg\", auto-string=on, pwm-standby=on\n" + line
                + "0x15 0xC3  # step: step=\"200 ms\", smoothing=\"Heavy Smoothing\"\n" + line
                + "0x14 0x15  # led-enables: led1=on, led2=off, led3=on, led4=off, led5=on, led6=off\n" + line
                + "0x03 0x50  # brightness-lo: brightness=293\n" + line + "0x04 0x12  # brightness-hi\n" + line
                + "0x00 0x07  # control: backlight=on, spread-spectrum=on, slew-rate=on\n",
            0, "", [] {}, saved },
        { { "--adapter=none", "export", "--format=json", file }, {},
            indented(R"({"address": 44, "writes": [{"register": 20, "value": 59}, {"register": 0, "value": 0}]})"), 0,
            "", [] {}, "0x00 0x80\n0x16 0x01\n0x14 0x3B\n" },
    });
}

// The C header as a firmware build takes it: strict C99, warnings as errors, included twice; its array holds the
// writes a load of the chip's registers makes, in order.
TEST_F(CtlTest, ExportedCHeaderCompilesAsC99)
{
    const Result exported = ctl({ "export" });
    ASSERT_EQ(exported.exit, 0) << exported.err;
    EXPECT_EQ(sim::registerAccesses(), powerOnReads);
    const std::string header = dir.filePath("kv3124_init.h").toStdString(),
                      source = dir.filePath("main.c").toStdString(), program = dir.filePath("main").toStdString();
    std::ofstream(header) << exported.out;
    std::ofstream(source) << "#include \"kv3124_init.h\"\n#include \"kv3124_init.h\"\n#include <stdio.h>\n"
                             "int main(void)\n{\n    size_t i;\n    printf(\"%X:\", KV3124_I2C_ADDRESS);\n"
                             "    for (i = 0; i < sizeof kv3124_init / sizeof kv3124_init[0]; ++i)\n"
                             "        printf(\" %02X=%02X\", kv3124_init[i].reg, kv3124_init[i].value);\n"
                             "    return 0;\n}\n";
    const std::string compile
        = "cc -std=c99 -pedantic -Wall -Wextra -Werror -o '" + program + "' '" + source + "' 2>&1";
    ASSERT_EQ(std::system(compile.c_str()), 0) << exported.out;
    EXPECT_EQ(finish(launch(program.c_str(), {}, "/dev/null")),
        std::tuple(0, "2C: 13=01 11=04 12=02 10=01 15=00 14=3F 03=00 04=00 00=01", ""));
}

// The tool as a process: Ctrl-C ends watch with its last line, a reader that went away ends it at once; both with 0.
TEST_F(CtlTest, WatchEndsCleanlyOnCtrlCAndWhenItsReaderHasGone)
{
    for (const bool interrupt : { true, false }) {
        SCOPED_TRACE(interrupt ? "Ctrl-C" : "reader gone");
        Child watch = launch(KV3124CTL, { "watch", "--for=60" }, "/dev/null");
        std::string first;
        for (char c = 0; c != '\n' && ::read(watch.out, &c, 1) == 1;)
            first += c;
        EXPECT_TRUE(first.ends_with("Z uvlo=off tsd=off over-current=off over-voltage=off under-voltage=off short=off "
                                    "open=off\n"))
            << first;
        if (interrupt)
            ::kill(watch.pid, SIGINT);
        else
            ::close(std::exchange(watch.out, -1));
        const auto [status, rest, told] = finish(watch);
        EXPECT_EQ(std::pair(status, told), std::pair(0, std::string()));
        EXPECT_TRUE(!interrupt || rest.ends_with("Z end after 1 read\n")) << rest;
    }
}
