// Start-up and Readback All against the simulated bus and the window.
#include "EvalDialogFixture.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <vector>

using ptx::sim::Fault;

namespace {

const std::vector<int> readbackOrder
    = { 0x00, 0x01, 0x02, 0x03, 0x04, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x1C, 0x1D, 0x1E, 0x1F };

const std::vector<int> derivedBoxes { IDC_SLEW_RATE, IDC_ENABLE_BACKLIGHT, IDC_SPREAD_SPECTRUM, IDC_OPEN, IDC_SHORT,
    IDC_UNDER_VOLTAGE, IDC_OVER_VOLTAGE, IDC_OVER_CURRENT, IDC_TSD, IDC_UVLO, IDC_PWM_STANDBY, IDC_AUTO_STRING,
    IDC_ISET_EXTERNAL, IDC_PFSET_EXTERNAL, IDC_BOOST_FSET_EXTERNAL, IDC_BOOST_COMP_EXTERNAL };

// Readback All's accesses: the slider's drawing writes the brightness pair whenever the window repaints.
std::vector<RegisterAccess> readback()
{
    auto all = ptx::sim::registerAccesses();
    std::erase_if(all, [](const RegisterAccess& a) {
        return a.access == Access::Write && (a.registerAddress == 0x03 || a.registerAddress == 0x04);
    });
    return all;
}

// Each register read as the chip holds it now, then register 0x10 written back as `fixedUp`.
std::vector<RegisterAccess> readbackOfTheChip(int fixedUp)
{
    std::vector<RegisterAccess> expected;
    for (int reg : readbackOrder)
        expected.push_back(readOf(reg, ptx::sim::registerValue(reg)));
    expected.push_back(writeOf(0x10, fixedUp));
    return expected;
}

class ReadbackTest : public EvalDialogFixture { };

// Register values that tell every derived bit apart, in two loads whose bits differ.
TEST_F(ReadbackTest, ReadsEighteenRegistersDerivesEveryBoxAndListAndWritesTheFixUp)
{
    struct Load {
        std::vector<std::pair<int, int>> registers;
        int fixedUp; // written back to 0x10
        std::vector<int> ticked; // the derived boxes that end ticked; the others end clear
        std::vector<int> selections; // Mode, Current Scale, PWM Frequency, FSET, COMP, Step, Smoothing
    };
    const std::vector<Load> loads {
        { { { 0x00, 0x05 }, { 0x01, 0xCD }, { 0x10, 0x8F }, { 0x11, 0x85 }, { 0x12, 0x07 }, { 0x13, 0x42 },
              { 0x15, 0xC2 } },
            0x87,
            { IDC_SLEW_RATE, IDC_ENABLE_BACKLIGHT, IDC_OPEN, IDC_SHORT, IDC_OVER_VOLTAGE, IDC_OVER_CURRENT, IDC_UVLO,
                IDC_PWM_STANDBY, IDC_AUTO_STRING, IDC_ISET_EXTERNAL, IDC_BOOST_COMP_EXTERNAL },
            { 3, 8, 7, 0, 2, 2, 3 } },
        { { { 0x00, 0x02 }, { 0x01, 0x12 }, { 0x10, 0x06 }, { 0x11, 0x03 }, { 0x12, 0x85 }, { 0x13, 0x81 },
              { 0x15, 0x41 } },
            0x06,
            { IDC_SPREAD_SPECTRUM, IDC_UNDER_VOLTAGE, IDC_TSD, IDC_AUTO_STRING, IDC_PFSET_EXTERNAL,
                IDC_BOOST_FSET_EXTERNAL },
            { 2, 3, 8, 2, 0, 1, 1 } },
    };
    open();
    // The LED boxes are the user's: Readback All leaves them whatever register 0x14 holds.
    click(IDC_LED2);
    ptx::sim::setRegister(0x14, 0xFF);
    for (const Load& load : loads) {
        SCOPED_TRACE(testing::Message() << "0x10 = " << std::hex << load.registers[2].second);
        for (const auto& [reg, value] : load.registers)
            ptx::sim::setRegister(reg, value);
        const auto expected = readbackOfTheChip(load.fixedUp);
        ptx::sim::clearTransactions();

        click(IDC_READBACK_ALL);

        EXPECT_EQ(readback(), expected);
        EXPECT_EQ(text(IDC_REG10), hex(load.fixedUp));
        EXPECT_EQ(text(IDC_REG01), hex(load.registers[1].second));
        for (int id : derivedBoxes)
            EXPECT_EQ(ticked(id), std::ranges::count(load.ticked, id) == 1) << "box " << id;
        std::vector<int> selections;
        for (int id : { IDC_MODE_LIST, IDC_CURRENT_SCALE_LIST, IDC_PWM_FREQUENCY_LIST, IDC_BOOST_FSET_LIST,
                 IDC_BOOST_COMP_LIST, IDC_STEP_LIST, IDC_SMOOTHING_LIST })
            selections.push_back(selection(id));
        EXPECT_EQ(selections, load.selections);
        EXPECT_EQ(text(IDC_REG14), "FF");
        EXPECT_FALSE(ticked(IDC_LED2));
        EXPECT_TRUE(ticked(IDC_LED5));
    }
}

// Without an adapter, or with one whose configuration fails, the error is shown and Readback All still runs.
TEST_F(ReadbackTest, StartsTheAdapterShowsItsFirmwareOrTheErrorAndReadsBackAllTheSame)
{
    for (const auto& [fault, status, version] :
        { std::tuple { std::optional<Fault> {}, "Initialization Complete", "Version: USB RFW:2.5; FFW:1.3" },
            std::tuple { std::optional { Fault::GpioControl }, "USB Initialization Error", "Version" },
            std::tuple { std::optional { Fault::AdapterAbsent }, "USB Initialization Error", "Version" } }) {
        SCOPED_TRACE(fault ? static_cast<int>(*fault) : -1);
        SetUp();
        if (fault)
            ptx::sim::setFault(*fault);
        const auto chip = readbackOfTheChip(0x01);
        create();
        EXPECT_EQ(text(IDC_STATUS), status);
        EXPECT_EQ(text(IDC_VERSION), version);
        const bool absent = fault == Fault::AdapterAbsent;
        EXPECT_EQ(text(IDC_REG14), absent ? "" : "3F");
        EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), absent ? -1 : 4);
        if (!absent) {
            EXPECT_EQ(readback(), chip);
            continue;
        }
        // Every read fails, and there is no fix-up without a read of 0x10.
        std::vector<int> failedReads;
        for (const RegisterAccess& a : readback())
            failedReads.push_back(a.access == Access::Read && !a.ok ? a.registerAddress : -1);
        EXPECT_EQ(failedReads, readbackOrder);
    }
}

// A failed read keeps its cell and feeds nothing; a failed fix-up leaves the byte that was read.
TEST_F(ReadbackTest, FailedReadsAndWritesKeepWhatTheChipHolds)
{
    open();
    const std::string cell11 = text(IDC_REG11);
    const int scale = selection(IDC_CURRENT_SCALE_LIST);
    ptx::sim::setRegister(0x11, 0x85);
    ptx::sim::setRegister(0x12, 0x07);
    ptx::sim::setRegister(0x10, 0x8F);
    ptx::sim::failReadsOf(0x11);
    ptx::sim::failWritesOf(0x10);

    click(IDC_READBACK_ALL);

    EXPECT_EQ(text(IDC_REG11), cell11) << "not the neighbour's byte";
    EXPECT_FALSE(ticked(IDC_ISET_EXTERNAL));
    EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), scale);
    EXPECT_EQ(text(IDC_REG12), "07");
    EXPECT_EQ(selection(IDC_PWM_FREQUENCY_LIST), 7);
    EXPECT_EQ(text(IDC_REG10), "8F");
}

} // namespace
