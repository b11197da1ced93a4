// Start-up and Readback All against the simulated bus and the window.
#include "EvalDialogFixture.h"

#include <vector>

using ptx::sim::Access;
using ptx::sim::Fault;
using ptx::sim::RegisterAccess;

namespace {

const std::vector<int> readbackOrder
    = { 0x00, 0x01, 0x02, 0x03, 0x04, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x1C, 0x1D, 0x1E, 0x1F };

// The slider's paint writes the brightness pair whenever the window repaints; Readback All is the rest.
std::vector<RegisterAccess> readbackAccesses(std::optional<Access> only = std::nullopt)
{
    std::vector<RegisterAccess> accesses;
    for (const auto& access : ptx::sim::registerAccesses(only)) {
        const bool brightnessWrite
            = access.access == Access::Write && (access.registerAddress == 0x03 || access.registerAddress == 0x04);
        if (!brightnessWrite)
            accesses.push_back(access);
    }
    return accesses;
}

std::vector<int> registersOf(const std::vector<RegisterAccess>& accesses)
{
    std::vector<int> registers;
    for (const auto& access : accesses)
        registers.push_back(access.registerAddress);
    return registers;
}

class ReadbackTest : public EvalDialogFixture { };

TEST_F(ReadbackTest, ReadsEighteenRegistersInOrderThenWritesTheConfigurationFixUp)
{
    open();
    ptx::sim::setRegister(0x10, 0x8F);
    ptx::sim::setRegister(0x11, 0x85);
    ptx::sim::setRegister(0x13, 0x42);
    ptx::sim::setStatusBits(0xC5);
    ptx::sim::clearTransactions();

    click(IDC_READBACK_ALL);

    const auto accesses = readbackAccesses();
    ASSERT_EQ(accesses.size(), 19u);
    const std::vector<RegisterAccess> reads(accesses.begin(), accesses.end() - 1);
    EXPECT_EQ(registersOf(reads), readbackOrder);
    for (const auto& read : reads)
        EXPECT_EQ(read.access, Access::Read);
    EXPECT_EQ(accesses.back(), (RegisterAccess { Access::Write, 0x10, 0x87 }));
    EXPECT_EQ(ptx::sim::registerValue(0x10), 0x87);

    EXPECT_EQ(text(IDC_REG10), "87");
    EXPECT_TRUE(ticked(IDC_PWM_STANDBY));
    EXPECT_TRUE(ticked(IDC_AUTO_STRING));
    EXPECT_EQ(selection(IDC_MODE_LIST), 3);

    EXPECT_EQ(text(IDC_REG11), "85");
    EXPECT_TRUE(ticked(IDC_ISET_EXTERNAL));
    EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), 8);

    EXPECT_EQ(text(IDC_REG13), "42");
    EXPECT_TRUE(ticked(IDC_BOOST_COMP_EXTERNAL));
    EXPECT_EQ(selection(IDC_BOOST_COMP_LIST), 2);
    EXPECT_FALSE(ticked(IDC_BOOST_FSET_EXTERNAL));
    EXPECT_EQ(selection(IDC_BOOST_FSET_LIST), 0);

    EXPECT_EQ(text(IDC_REG01), "C5");
    for (int id : { IDC_OPEN, IDC_SHORT, IDC_OVER_CURRENT, IDC_UVLO })
        EXPECT_TRUE(ticked(id)) << id;
    for (int id : { IDC_UNDER_VOLTAGE, IDC_OVER_VOLTAGE, IDC_TSD })
        EXPECT_FALSE(ticked(id)) << id;
}

TEST_F(ReadbackTest, NeverTouchesTheLedBoxes)
{
    open();
    control<QCheckBox>(IDC_LED2)->setChecked(false);
    control<QCheckBox>(IDC_LED5)->setChecked(false);
    ptx::sim::setRegister(0x14, 0xFF);

    click(IDC_READBACK_ALL);

    EXPECT_EQ(text(IDC_REG14), "FF");
    EXPECT_FALSE(ticked(IDC_LED2));
    EXPECT_FALSE(ticked(IDC_LED5));
    for (int id : { IDC_LED1, IDC_LED3, IDC_LED4, IDC_LED6 })
        EXPECT_TRUE(ticked(id)) << id;
}

TEST_F(ReadbackTest, StartsTheAdapterAndShowsTheFirmwareVersion)
{
    create();
    EXPECT_EQ(text(IDC_VERSION), "Version: USB RFW:2.5; FFW:1.3");
    EXPECT_EQ(text(IDC_STATUS), "Initialization Complete");
    EXPECT_EQ(text(IDC_REG14), "3F");
    EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), 4);
}

TEST_F(ReadbackTest, WithoutAdapterEveryCellStaysEmptyAndNothingIsWritten)
{
    ptx::sim::setFault(Fault::AdapterAbsent);
    create();

    EXPECT_EQ(text(IDC_STATUS), "USB Initialization Error");
    EXPECT_EQ(text(IDC_VERSION), "Version");
    for (int id : { IDC_REG00, IDC_REG01, IDC_REG02, IDC_REG03, IDC_REG04, IDC_REG10, IDC_REG11, IDC_REG12, IDC_REG13,
             IDC_REG14, IDC_REG15 })
        EXPECT_EQ(text(id), "") << id;
    EXPECT_TRUE(readbackAccesses(Access::Write).empty());
    // A fresh panel: LED boxes ticked, every other box clear.
    for (int id : { IDC_LED1, IDC_LED2, IDC_LED3, IDC_LED4, IDC_LED5, IDC_LED6 })
        EXPECT_TRUE(ticked(id)) << id;
    for (int id : { IDC_OPEN, IDC_SHORT, IDC_UNDER_VOLTAGE, IDC_OVER_VOLTAGE, IDC_OVER_CURRENT, IDC_TSD, IDC_UVLO,
             IDC_ENABLE_BACKLIGHT, IDC_SPREAD_SPECTRUM, IDC_SLEW_RATE, IDC_AUTO_STRING, IDC_PWM_STANDBY,
             IDC_ISET_EXTERNAL, IDC_PFSET_EXTERNAL, IDC_BOOST_FSET_EXTERNAL, IDC_BOOST_COMP_EXTERNAL })
        EXPECT_FALSE(ticked(id)) << id;
}

TEST_F(ReadbackTest, FailingConfigurationStepReportsErrorButStillReadsBack)
{
    ptx::sim::setFault(Fault::GpioControl);
    create();

    EXPECT_EQ(text(IDC_STATUS), "USB Initialization Error");
    EXPECT_EQ(text(IDC_VERSION), "Version");
    EXPECT_EQ(registersOf(readbackAccesses(Access::Read)), readbackOrder);
    EXPECT_EQ(text(IDC_REG14), "3F");
}

TEST_F(ReadbackTest, FailedReadKeepsItsCellAndFeedsNothing)
{
    open();
    const std::string cell11 = text(IDC_REG11);
    const int scale = selection(IDC_CURRENT_SCALE_LIST);
    ASSERT_FALSE(cell11.empty());
    ptx::sim::setRegister(0x11, 0x85);
    ptx::sim::setRegister(0x12, 0x07);
    ptx::sim::failReadsOf(0x11);

    click(IDC_READBACK_ALL);

    EXPECT_EQ(text(IDC_REG11), cell11) << "not the neighbour's byte";
    EXPECT_FALSE(ticked(IDC_ISET_EXTERNAL));
    EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), scale);
    EXPECT_EQ(text(IDC_REG12), "07");
    EXPECT_EQ(selection(IDC_PWM_FREQUENCY_LIST), 7);

    ptx::sim::setRegister(0x10, 0x0F);
    ptx::sim::failReadsOf(0x10);
    ptx::sim::clearTransactions();
    click(IDC_READBACK_ALL);
    EXPECT_TRUE(readbackAccesses(Access::Write).empty()) << "no fix-up without a read of 0x10";
    EXPECT_EQ(ptx::sim::registerValue(0x10), 0x0F);
}

} // namespace
