// The program against the real kernel's i2c-dev, with i2c-stub as the chip at 0x2C on /dev/i2c-0. The chip
// is set and read with i2c-tools and the bus watched through the kernel's own SMBus trace events, so that
// no check goes through our own code.
#include "BusWindowFixture.h"

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Result {
    int status;
    std::string output; // standard output and error
};

Result run(const std::string& command)
{
    Result result { -1, {} };
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    char buffer[256];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe))
        result.output += buffer;
    if (const int status = pipe ? ::pclose(pipe) : -1; WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    return result;
}

namespace stub {

// Afresh (all registers 0) with its chip at `address`, or not at all for nullptr.
void load(const char* address)
{
    run("rmmod i2c_stub");
    ASSERT_TRUE(!address || run(std::string("modprobe i2c-stub chip_addr=") + address).status == 0);
}

void set(int reg, int value)
{
    ASSERT_EQ(run("i2cset -y 0 0x2c " + std::to_string(reg) + ' ' + std::to_string(value)).status, 0);
}

int get(int reg)
{
    const Result result = run("i2cget -y 0 0x2c " + std::to_string(reg));
    return result.status == 0 ? std::stoi(result.output, nullptr, 16) : -1;
}

} // namespace stub

// This process's SMBus transfers from now on, as the kernel records them ("a=02c f=0000 c=10 BYTE_DATA wr
// res=0"); child processes, i2cget and i2cset among them, stay out of the record.
const std::string kTracing = "/sys/kernel/tracing/";
void startTrace()
{
    std::ofstream(kTracing + "set_event_pid") << ::getpid();
    std::ofstream(kTracing + "events/smbus/smbus_result/enable") << 1;
    std::ofstream { kTracing + "trace" };
}
std::vector<std::string> transfers()
{
    static const std::string event = "smbus_result: i2c-0 ";
    std::vector<std::string> found;
    std::ifstream in(kTracing + "trace");
    for (std::string line; std::getline(in, line);) {
        if (const auto at = line.find(event); at != std::string::npos)
            found.push_back(line.substr(at + event.size()));
    }
    return found;
}

// The program's lines on standard error since capturing began, without Qt's warnings.
std::string told()
{
    std::string ours;
    std::istringstream in(testing::internal::GetCapturedStderr());
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(program_invocation_short_name))
            ours += line + '\n';
    }
    return ours;
}

using KernelTest = BusWindowFixture;

TEST_F(KernelTest, ListsTheStubBusAndEachOperationReachesTheChipAsOneByteDataTransfer)
{
    stub::load("0x2c");
    // A client device on the bus ("0-0050" in sysfs) is no bus of its own.
    ASSERT_EQ(run("echo dummy 0x50 >/sys/bus/i2c/devices/i2c-0/new_device").status, 0);
    EXPECT_EQ(run(KV3124_EVAL " --list-adapters").output,
        "sim\tsimulated evaluation board (default)\nnone\tno adapter\ni2c-0\tSMBus stub driver\n");

    ptxSelectBackend("i2c:SMBus stub");
    startTrace();
    testing::internal::CaptureStderr();
    runOperations(stub::get, stub::set);
    // The open node holds the module: an unplug cannot even begin, and the window goes on.
    EXPECT_NE(run("rmmod i2c_stub").output.find("Module i2c_stub is in use"), std::string::npos);
    click(IDC_LED4);
    settle();
    EXPECT_EQ(stub::get(0x14), 0x2A);
    EXPECT_EQ(told(), "");

    const std::vector<std::string> seen = transfers();
    EXPECT_GT(seen.size(), 30u);
    for (const std::string& transfer : seen)
        EXPECT_TRUE(std::regex_match(transfer, std::regex("a=02c f=0000 c=[0-9a-f]{1,2} BYTE_DATA (rd|wr) res=0")))
            << transfer;
}

// Start-up fails with the reason said once, and no write ever completes on the bus: with the chip missing,
// with a kernel driver on its address (refused, never forced), and with the stub loaded only after start.
TEST_F(KernelTest, WithoutTheChipAtStartUpNothingIsWritten)
{
    const struct {
        const char* chipAt; // nullptr: no stub until the window is up
        const char* driver;
        std::string reason;
    } cases[] = { { "0x2d", "true", "no device answers at 0x2C" },
        { "0x2c", "modprobe at24 && echo 24c02 0x2c >/sys/bus/i2c/devices/i2c-0/new_device",
            "a kernel driver already owns address 0x2C on this bus" },
        { nullptr, "true", "no such bus (see --list-adapters)" } };
    for (const auto& [chipAt, driver, reason] : cases) {
        SCOPED_TRACE(reason);
        SetUp();
        stub::load(chipAt);
        ASSERT_EQ(run(driver).status, 0);
        ptxSelectBackend("i2c-0");
        startTrace();
        testing::internal::CaptureStderr();
        open();
        EXPECT_EQ(text(IDC_STATUS), "USB Initialization Error");
        if (!chipAt) {
            stub::load("0x2c");
            stub::set(0x14, 0x2A);
        }
        click(IDC_READBACK_ALL);
        click(IDC_LED4);
        settle();
        EXPECT_EQ(told(), std::string(program_invocation_short_name) + ": i2c-0: " + reason + "\n");
        for (const std::string& transfer : transfers())
            EXPECT_EQ(transfer.find(" wr res=0"), std::string::npos) << transfer;
        EXPECT_TRUE(chipAt || stub::get(0x14) == 0x2A);
        TearDown();
    }
}

} // namespace
