// Start-up and Readback All against the simulated bus and the window.
#include "EvalDialogFixture.h"

#include <vector>

using ptx::sim::Fault;

namespace {

const std::vector<int> readbackOrder
    = { 0x00, 0x01, 0x02, 0x03, 0x04, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x1C, 0x1D, 0x1E, 0x1F };

const std::vector<int> derivedBoxes { IDC_SLEW_RATE, IDC_ENABLE_BACKLIGHT, IDC_SPREAD_SPECTRUM, IDC_OPEN, IDC_SHORT,
    IDC_UNDER_VOLTAGE, IDC_OVER_VOLTAGE, IDC_OVER_CURRENT, IDC_TSD, IDC_UVLO, IDC_PWM_STANDBY, IDC_AUTO_STRING,
    IDC_ISET_EXTERNAL, IDC_PFSET_EXTERNAL, IDC_BOOST_FSET_EXTERNAL, IDC_BOOST_COMP_EXTERNAL };
const std::vector<int> lists { IDC_MODE_LIST, IDC_CURRENT_SCALE_LIST, IDC_PWM_FREQUENCY_LIST, IDC_BOOST_FSET_LIST,
    IDC_BOOST_COMP_LIST, IDC_STEP_LIST, IDC_SMOOTHING_LIST };

// The slider's paint writes the brightness pair whenever the window repaints; Readback All is the rest.
std::vector<RegisterAccess> readbackAccesses()
{
    std::vector<RegisterAccess> accesses;
    for (const auto& access : ptx::sim::registerAccesses()) {
        if (access.access == Access::Read || (access.registerAddress != 0x03 && access.registerAddress != 0x04))
            accesses.push_back(access);
    }
    return accesses;
}

std::vector<int> readRegisters()
{
    std::vector<int> registers;
    for (const auto& access : readbackAccesses()) {
        if (access.access == Access::Read)
            registers.push_back(access.registerAddress);
    }
    return registers;
}

class ReadbackTest : public EvalDialogFixture { };

// Register values that tell every derived bit apart, in two loads whose bits differ.
TEST_F(ReadbackTest, ReadsEighteenRegistersDerivesEveryBoxAndListAndWritesTheFixUp)
{
    struct Load {
        std::vector<std::pair<int, int>> registers;
        int fixedUp; // written back to 0x10
        std::vector<int> ticked; // the derived boxes that end ticked; the others end clear
        std::vector<int> selections; // in the order of `lists`
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
        ptx::sim::clearTransactions();

        click(IDC_READBACK_ALL);

        EXPECT_EQ(readRegisters(), readbackOrder);
        EXPECT_EQ(readbackAccesses().back(), writeOf(0x10, load.fixedUp));
        EXPECT_EQ(readbackAccesses().size(), 19u);
        EXPECT_EQ(text(IDC_REG10), QString::asprintf("%02X", load.fixedUp).toStdString());
        EXPECT_EQ(text(IDC_REG01), QString::asprintf("%02X", load.registers[1].second).toStdString());
        for (int id : derivedBoxes)
            EXPECT_EQ(ticked(id), std::ranges::count(load.ticked, id) == 1) << "box " << id;
        for (std::size_t i = 0; i < lists.size(); ++i)
            EXPECT_EQ(selection(lists[i]), load.selections[i]) << "list " << lists[i];
        EXPECT_EQ(text(IDC_REG14), "FF");
        EXPECT_FALSE(ticked(IDC_LED2));
        EXPECT_TRUE(ticked(IDC_LED5));
    }
}

TEST_F(ReadbackTest, StartsTheAdapterAndShowsTheFirmwareVersion)
{
    create();
    EXPECT_EQ(text(IDC_VERSION), "Version: USB RFW:2.5; FFW:1.3");
    EXPECT_EQ(text(IDC_STATUS), "Initialization Complete");
    EXPECT_EQ(text(IDC_REG14), "3F");
    EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), 4);
}

// Without an adapter, or with one whose configuration fails, the error is shown and Readback All still runs.
TEST_F(ReadbackTest, StartupErrorsAreShownAndReadbackStillRuns)
{
    for (const Fault fault : { Fault::GpioControl, Fault::AdapterAbsent }) {
        SCOPED_TRACE(static_cast<int>(fault));
        SetUp();
        ptx::sim::setFault(fault);
        create();
        EXPECT_EQ(text(IDC_STATUS), "USB Initialization Error");
        EXPECT_EQ(text(IDC_VERSION), "Version");
        EXPECT_EQ(readRegisters(), readbackOrder);
        EXPECT_EQ(readbackAccesses().size(), fault == Fault::GpioControl ? 19u : 18u) << "the fix-up needs a read";
        EXPECT_EQ(text(IDC_REG14), fault == Fault::GpioControl ? "3F" : "");
    }
    // No cell is ever filled without an adapter; the boxes show a fresh panel.
    for (int id : { IDC_REG00, IDC_REG01, IDC_REG02, IDC_REG03, IDC_REG04, IDC_REG10, IDC_REG11, IDC_REG12, IDC_REG13,
             IDC_REG14, IDC_REG15 })
        EXPECT_EQ(text(id), "") << id;
    for (int id : derivedBoxes)
        EXPECT_FALSE(ticked(id)) << id;
    for (int id : { IDC_LED1, IDC_LED2, IDC_LED3, IDC_LED4, IDC_LED5, IDC_LED6 })
        EXPECT_TRUE(ticked(id)) << id;
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

    ptx::sim::setRegister(0x10, 0x0F);
    ptx::sim::failReadsOf(0x10);
    ptx::sim::clearTransactions();
    click(IDC_READBACK_ALL);
    EXPECT_EQ(readbackAccesses().size(), 18u) << "no fix-up without a read of 0x10";
    EXPECT_EQ(ptx::sim::registerValue(0x10), 0x0F);
}

} // namespace
