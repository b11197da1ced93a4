// The whole window on the real kernel's i2c-dev, with i2c-stub as the chip: what start-up and each family
// of operations leave in the chip, read back with i2c-tools, and what the kernel saw of our transfers.
#include "BusTrace.h"
#include "EvalDialogFixture.h"
#include "StubChip.h"

#include <cerrno>
#include <functional>
#include <regex>

namespace {

class KernelWindowTest : public EvalDialogFixture {
protected:
    // A fresh stub with its chip at `address` (none for nullptr), and the window's back end on its bus.
    void start(const char* address)
    {
        stub::load(address);
        ptxSelectBackend("i2c-0");
        trace.clear();
    }
    void TearDown() override
    {
        EvalDialogFixture::TearDown();
        ptxSelectBackend("sim"); // closes /dev/i2c-0, so that the stub can be unloaded
    }

    BusTrace trace;
};

TEST_F(KernelWindowTest, StartsFromTheChipAndEachOperationReachesIt)
{
    start("0x2c");
    stub::set({ { 0x00, 0x05 }, { 0x01, 0x5A }, { 0x03, 0x5A }, { 0x04, 0x5A }, { 0x10, 0x8F }, { 0x11, 0x85 },
        { 0x12, 0x03 }, { 0x13, 0x42 }, { 0x14, 0x2A }, { 0x15, 0xC2 } });
    open();
    EXPECT_EQ(text(IDC_VERSION), "Version: USB RFW:1.0; FFW:1.0");
    for (const auto& [id, cell] : std::initializer_list<std::pair<int, const char*>> { { IDC_REG00, "05" },
             { IDC_REG01, "5A" }, { IDC_REG02, "00" }, { IDC_REG10, "87" }, { IDC_REG11, "85" }, { IDC_REG12, "03" },
             { IDC_REG13, "42" }, { IDC_REG14, "2A" }, { IDC_REG15, "C2" } })
        EXPECT_EQ(text(id), cell) << "cell " << id;
    std::vector<int> tickedBoxes;
    for (int id : { IDC_SLEW_RATE, IDC_ENABLE_BACKLIGHT, IDC_SPREAD_SPECTRUM, IDC_OPEN, IDC_SHORT, IDC_UNDER_VOLTAGE,
             IDC_OVER_VOLTAGE, IDC_OVER_CURRENT, IDC_TSD, IDC_UVLO, IDC_PWM_STANDBY, IDC_AUTO_STRING, IDC_ISET_EXTERNAL,
             IDC_PFSET_EXTERNAL, IDC_BOOST_FSET_EXTERNAL, IDC_BOOST_COMP_EXTERNAL }) {
        if (ticked(id))
            tickedBoxes.push_back(id);
    }
    EXPECT_EQ(tickedBoxes,
        (std::vector<int> { IDC_SLEW_RATE, IDC_ENABLE_BACKLIGHT, IDC_SHORT, IDC_UNDER_VOLTAGE, IDC_OVER_VOLTAGE,
            IDC_TSD, IDC_PWM_STANDBY, IDC_AUTO_STRING, IDC_ISET_EXTERNAL, IDC_BOOST_COMP_EXTERNAL }));
    std::vector<int> selections;
    for (int id : { IDC_MODE_LIST, IDC_CURRENT_SCALE_LIST, IDC_PWM_FREQUENCY_LIST, IDC_BOOST_FSET_LIST,
             IDC_BOOST_COMP_LIST, IDC_STEP_LIST, IDC_SMOOTHING_LIST })
        selections.push_back(selection(id));
    EXPECT_EQ(selections, (std::vector<int> { 3, 8, 3, 0, 2, 2, 3 }));

    struct Step {
        const char* name;
        std::function<void()> act;
        std::vector<std::pair<int, int>> chip; // register and the byte i2cget must find there
        int shows; // a control whose text then is `text`, 0 for none
        const char* text;
    };
    const std::vector<Step> steps {
        { "start-up", [] {}, { { 0x10, 0x87 }, { 0x03, 0x00 }, { 0x04, 0x00 } }, IDC_STATUS, "Ready4" },
        { "LED 4 cleared", [&] { click(IDC_LED4); }, { { 0x14, 0x22 } }, IDC_REG14, "22" },
        { "step list", [&] { choose(IDC_STEP_LIST, 1); }, { { 0x15, 0xC1 } }, IDC_REG15, "C1" },
        { "slider to the end",
            [&] {
                dialog->controlWidget(IDC_BRIGHTNESS_SLIDER)->setFocus();
                QTest::keyClick(dialog->controlWidget(IDC_BRIGHTNESS_SLIDER), Qt::Key_End);
            },
            { { 0x03, 0xF0 }, { 0x04, 0xFF } }, IDC_TARGET, "FFF" },
        { "Set",
            [&] {
                typeOver(IDC_TARGET, "80");
                click(IDC_SET);
            },
            { { 0x03, 0x00 }, { 0x04, 0x08 } }, IDC_PERCENT, "3.1" },
        { "manual Write",
            [&] {
                typeOver(IDC_REG_ADDR, "20");
                typeOver(IDC_DATA, "5A");
                click(IDC_WRITE);
            },
            { { 0x20, 0x5A } }, 0, "" },
        { "manual Read",
            [&] {
                stub::set({ { 0x21, 0xA5 } });
                typeOver(IDC_REG_ADDR, "21");
                click(IDC_READ);
            },
            {}, IDC_DATA, "A5" },
        { "Readback All",
            [&] {
                stub::set({ { 0x10, 0x0C } });
                click(IDC_READBACK_ALL);
            },
            { { 0x10, 0x04 } }, IDC_REG10, "04" },
        // The open node holds the module: an unplug cannot even begin.
        { "rmmod refused",
            [] {
                const stub::Result refused = stub::run("rmmod i2c_stub");
                EXPECT_NE(refused.status, 0);
                EXPECT_NE(refused.output.find("Module i2c_stub is in use"), std::string::npos) << refused.output;
            },
            { { 0x00, 0x05 } }, 0, "" },
        { "Reset after the refusal", [&] { click(IDC_RESET); }, { { 0x00, 0x80 }, { 0x03, 0x00 }, { 0x04, 0x00 } },
            IDC_TARGET, "00" },
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        settle();
        for (const auto& [reg, value] : step.chip)
            EXPECT_EQ(stub::get(reg), value) << "register " << reg;
        if (step.shows) {
            EXPECT_EQ(text(step.shows), step.text);
        }
    }

    // Each register access was one SMBus byte-data transfer at 0x2C that the kernel carried out.
    const std::vector<std::string> transfers = trace.transfers();
    EXPECT_GT(transfers.size(), 30u);
    const std::regex byteData("a=02c f=0000 c=[0-9a-f]{1,2} BYTE_DATA (rd|wr) res=0");
    for (const std::string& transfer : transfers)
        EXPECT_TRUE(std::regex_match(transfer, byteData)) << transfer;
}

// Start-up fails with the reason said once, and no write ever completes on the bus: with the chip
// missing, with a kernel driver on its address (which is refused, never forced), and with the stub
// loaded only after the window started.
TEST_F(KernelWindowTest, WithoutTheChipAtStartUpNothingIsWritten)
{
    struct Case {
        const char* chipAt; // nullptr: no stub until the window is up
        bool driverOnIt;
        std::string reason;
    };
    for (const Case& c : { Case { "0x2d", false, "i2c-0: no device answers at 0x2C" },
             Case { "0x2c", true, "i2c-0: a kernel driver already owns address 0x2C on this bus" },
             Case { nullptr, false, "i2c-0: no such bus (see --list-adapters)" } }) {
        SCOPED_TRACE(c.reason);
        SetUp();
        start(c.chipAt);
        if (c.driverOnIt) {
            ASSERT_EQ(stub::run("modprobe at24 && echo 24c02 0x2c >/sys/bus/i2c/devices/i2c-0/new_device").status, 0);
        }
        testing::internal::CaptureStderr();
        create();
        EXPECT_EQ(text(IDC_STATUS), "USB Initialization Error");
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog->window()));
        if (!c.chipAt) {
            stub::load("0x2c");
            stub::set({ { 0x14, 0x2A } });
        }
        click(IDC_READBACK_ALL);
        click(IDC_LED4);
        settle();

        EXPECT_EQ(testing::internal::GetCapturedStderr(),
            std::string(program_invocation_short_name) + ": " + c.reason + "\n");
        for (const std::string& transfer : trace.transfers())
            EXPECT_EQ(transfer.find(" wr res=0"), std::string::npos) << transfer;
        if (!c.chipAt) {
            EXPECT_EQ(stub::get(0x14), 0x2A);
        }
        TearDown();
    }
}

} // namespace
