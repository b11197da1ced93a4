// LED, register 0x00 and 0x10 boxes, All On, All Off, Reset and the status boxes.
#include "EvalDialogFixture.h"

#include <vector>

namespace {

class BitTogglesTest : public EvalDialogFixture { };

TEST_F(BitTogglesTest, LedBoxesKeepTheUpperBitsAndShowTheByteWritten)
{
    open();
    load({ { 0x14, 0xC0 } });

    // The fresh panel has LED 3 ticked: the click clears it, Space ticks it again.
    click(IDC_LED3);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x14, 0xC0), writeOf(0x14, 0xC0) }));
    EXPECT_FALSE(ticked(IDC_LED3));
    ptx::sim::clearTransactions();

    pressSpace(IDC_LED3);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x14, 0xC0), writeOf(0x14, 0xC4) }));
    EXPECT_EQ(text(IDC_REG14), "C4");
    EXPECT_TRUE(ticked(IDC_LED3));

    // Each box owns its own bit.
    const std::vector<std::pair<int, int>> boxes { { IDC_LED1, 0x01 }, { IDC_LED2, 0x02 }, { IDC_LED4, 0x08 },
        { IDC_LED5, 0x10 }, { IDC_LED6, 0x20 } };
    for (const auto& [id, bit] : boxes) {
        ptx::sim::setRegister(0x14, 0xFF);
        ptx::sim::clearTransactions();
        click(id);
        EXPECT_EQ(writes(), (std::vector { writeOf(0x14, 0xFF & ~bit) })) << id;
    }
    EXPECT_EQ(text(IDC_REG14), "DF");
    EXPECT_EQ(text(IDC_STATUS), "Ready4");
}

TEST_F(BitTogglesTest, AllOnAndAllOffSetEveryLedBoxAndKeepBits7And6)
{
    open();
    load({ { 0x14, 0xFF } });

    click(IDC_ALL_OFF);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x14, 0xFF), writeOf(0x14, 0xC0) }));
    EXPECT_EQ(text(IDC_REG14), "C0");
    for (int id : { IDC_LED1, IDC_LED2, IDC_LED3, IDC_LED4, IDC_LED5, IDC_LED6 })
        EXPECT_FALSE(ticked(id)) << id;

    ptx::sim::setRegister(0x14, 0x80);
    ptx::sim::clearTransactions();
    click(IDC_ALL_ON);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x14, 0x80), writeOf(0x14, 0xBF) }));
    EXPECT_EQ(text(IDC_REG14), "BF");
    for (int id : { IDC_LED1, IDC_LED2, IDC_LED3, IDC_LED4, IDC_LED5, IDC_LED6 })
        EXPECT_TRUE(ticked(id)) << id;
}

TEST_F(BitTogglesTest, Register00BoxesWriteTheirBitAndReportReady0)
{
    open();
    load({ { 0x00, 0x07 } });
    ASSERT_TRUE(ticked(IDC_ENABLE_BACKLIGHT));
    ASSERT_EQ(text(IDC_STATUS), "Ready4");

    click(IDC_ENABLE_BACKLIGHT);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x00, 0x07), writeOf(0x00, 0x06) }));
    EXPECT_EQ(text(IDC_REG00), "06");
    EXPECT_EQ(text(IDC_STATUS), "Ready0");

    dialog->SetDlgItemText(IDC_STATUS, "Status");
    ptx::sim::clearTransactions();
    click(IDC_SPREAD_SPECTRUM);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x00, 0x06), writeOf(0x00, 0x04) }));
    EXPECT_EQ(text(IDC_STATUS), "Ready0");

    dialog->SetDlgItemText(IDC_STATUS, "Status");
    ptx::sim::clearTransactions();
    click(IDC_SLEW_RATE);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x00, 0x04), writeOf(0x00, 0x00) }));
    EXPECT_EQ(text(IDC_REG00), "00");
    EXPECT_EQ(text(IDC_STATUS), "Ready0");
}

TEST_F(BitTogglesTest, ConfigurationBoxesLeaveTheOtherBitsAndTheStatusLine)
{
    open();
    load({ { 0x10, 0x05 } });
    ASSERT_TRUE(ticked(IDC_AUTO_STRING));

    click(IDC_PWM_STANDBY);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x10, 0x05), writeOf(0x10, 0x85) }));
    EXPECT_EQ(text(IDC_REG10), "85");

    ptx::sim::clearTransactions();
    click(IDC_AUTO_STRING);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x10, 0x85), writeOf(0x10, 0x81) }));
    EXPECT_EQ(text(IDC_REG10), "81");
    EXPECT_EQ(text(IDC_STATUS), "Ready4");
}

TEST_F(BitTogglesTest, ResetWritesOnly0x80ThenTheSliderDrawingWritesZeroBrightness)
{
    open();
    load({ { 0x00, 0x07 } });
    QTest::keyClick(control<QSlider>(IDC_BRIGHTNESS_SLIDER), Qt::Key_End);
    settle();
    ASSERT_EQ(text(IDC_TARGET), "FFF");
    ptx::sim::clearTransactions();

    click(IDC_RESET);
    EXPECT_EQ(accesses(), (std::vector { writeOf(0x00, 0x80) }));
    EXPECT_FALSE(ticked(IDC_ENABLE_BACKLIGHT));
    EXPECT_EQ(text(IDC_TARGET), "");
    EXPECT_EQ(sliderPosition(), 0);
    EXPECT_EQ(ptx::sim::registerValue(0x00), ptx::sim::powerOnValue(0x00));

    settle();
    const auto after = accesses();
    ASSERT_GE(after.size(), 3u);
    EXPECT_EQ(after[1], writeOf(0x03, 0x00));
    EXPECT_EQ(after[2], writeOf(0x04, 0x00));
    EXPECT_EQ(text(IDC_TARGET), "00");
    EXPECT_EQ(text(IDC_PERCENT), "0.0");
    EXPECT_EQ(text(IDC_STATUS), "Ready4");
}

TEST_F(BitTogglesTest, StatusBoxesOnlyToggleTheirMark)
{
    open();
    load({});
    for (int id : { IDC_OPEN, IDC_SHORT, IDC_UNDER_VOLTAGE, IDC_OVER_VOLTAGE, IDC_OVER_CURRENT, IDC_TSD, IDC_UVLO }) {
        click(id);
        EXPECT_TRUE(ticked(id)) << id;
        pressSpace(id);
        EXPECT_FALSE(ticked(id)) << id;
    }
    settle();
    EXPECT_TRUE(accesses().empty());
}

// A read that fails feeds no write: the cell stays, the clicked box keeps the user's mark.
TEST_F(BitTogglesTest, FailedReadWritesNothing)
{
    open();
    load({ { 0x14, 0xC0 }, { 0x00, 0x01 } });
    ptx::sim::failReadsOf(0x14);

    click(IDC_LED2);
    click(IDC_ALL_OFF);
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(text(IDC_REG14), "C0");
    EXPECT_FALSE(ticked(IDC_LED2));
    EXPECT_TRUE(ticked(IDC_LED1));

    ptx::sim::failReadsOf(0x00);
    click(IDC_ENABLE_BACKLIGHT);
    EXPECT_TRUE(writes().empty());
    EXPECT_FALSE(ticked(IDC_ENABLE_BACKLIGHT));
    EXPECT_EQ(text(IDC_REG00), "01");
    EXPECT_EQ(text(IDC_STATUS), "Ready4");
}

} // namespace
