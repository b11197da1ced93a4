// The program against the real kernel's i2c-dev, with i2c-stub as the chip at 0x2C on /dev/i2c-0. The chip
// is set and read with i2c-tools (read even past a driver that holds its address), so that no check goes
// through our own code.
#include "BusWindowFixture.h"
#include "Shell.h"

#include <QLoggingCategory>

namespace {

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
    const Result result = run("i2cget -f -y 0 0x2c " + std::to_string(reg));
    return result.status == 0 ? std::stoi(result.output, nullptr, 16) : -1;
}

} // namespace stub

class KernelTest : public BusWindowFixture {
protected:
    // Standard error is the program's own: the offscreen platform's warnings stay out.
    void SetUp() override
    {
        BusWindowFixture::SetUp();
        QLoggingCategory::setFilterRules("default.warning=false");
    }
};

TEST_F(KernelTest, ListsTheStubBusAndEachOperationReachesTheChip)
{
    stub::load("0x2c");
    // A client device on the bus ("0-0050" in sysfs) is no bus of its own.
    ASSERT_EQ(run("echo dummy 0x50 >/sys/bus/i2c/devices/i2c-0/new_device").status, 0);
    EXPECT_EQ(run(KV3124_EVAL " --list-adapters").output,
        "sim\tsimulated evaluation board (default)\nnone\tno adapter\ni2c-0\tSMBus stub driver\n");

    ptxSelectBackend("i2c:SMBus stub");
    testing::internal::CaptureStderr();
    runOperations(stub::get, stub::set);
    EXPECT_EQ(stub::get(0x00), 0x80);
    // The open node holds the module: an unplug cannot even begin, and the window goes on.
    EXPECT_NE(run("rmmod i2c_stub").output.find("Module i2c_stub is in use"), std::string::npos);
    click(IDC_LED4);
    settle();
    EXPECT_EQ(stub::get(0x14), 0x2A);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// Start-up fails with the reason said once, and nothing reaches the chip: with the chip elsewhere, with a
// kernel driver on its address (refused, never forced), and with the stub loaded only after start.
TEST_F(KernelTest, WithoutTheChipAtStartUpNothingIsWritten)
{
    const struct {
        const char* chipAt; // nullptr: no stub until the window is up, then one at 0x2c
        const char* before; // run before the window starts
        std::string reason;
        int left; // what the chip at 0x2c then holds in 0x14, -1 for no chip there
    } cases[] = { { "0x2d", "true", "no device answers at 0x2C", -1 },
        { "0x2c",
            "i2cset -y 0 0x2c 0x14 0x2a && modprobe at24 && echo 24c02 0x2c >/sys/bus/i2c/devices/i2c-0/new_device",
            "a kernel driver already owns address 0x2C on this bus", 0x2A },
        { nullptr, "true", "no such bus (see --list-adapters)", 0x2A } };
    for (const auto& [chipAt, before, reason, left] : cases) {
        SCOPED_TRACE(reason);
        SetUp();
        stub::load(chipAt);
        ASSERT_EQ(run(before).status, 0);
        ptxSelectBackend("i2c-0");
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
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
            std::string(program_invocation_short_name) + ": i2c-0: " + reason + "\n");
        EXPECT_EQ(stub::get(0x14), left);
        TearDown();
    }
}

// Two more ways to the chip: a snapshot exported as an i2cset script and run on the stub, after which kv3124ctl
// finds the chip equal to the snapshot; and the Python module's tests on the stub's bus.
TEST_F(KernelTest, AnExportedScriptAndThePythonModuleReachTheStub)
{
    stub::load("0x2c");
    const std::string file = "/run/stub.kv3124";
    ASSERT_EQ(run(KV3124CTL " save " + file).status, 0);
    const Result script
        = run(KV3124CTL " export --format=i2cset " + file + " >/run/stub-set.sh && sh /run/stub-set.sh 0");
    ASSERT_EQ(script.status, 0) << script.output;
    EXPECT_EQ(stub::get(0x14), 0x3F);
    EXPECT_EQ(stub::get(0x11), 0x04);
    EXPECT_EQ(stub::get(0x00), 0x01);
    EXPECT_EQ(run(KV3124CTL " --adapter=i2c-0 diff " + file).output, "");
#ifdef KV3124_PYTHON
    const Result python
        = run("KV3124_TEST_ADAPTER=i2c-0 PYTHONPATH=" KV3124_PYTHON_PATH " PYTHONDONTWRITEBYTECODE=1 " KV3124_PYTHON
              " -m pytest -q -p no:cacheprovider " KV3124_PYTHON_TESTS);
    EXPECT_EQ(python.status, 0) << python.output;
    EXPECT_EQ(python.output.find("skipped"), std::string::npos) << python.output;
#endif
}

} // namespace
