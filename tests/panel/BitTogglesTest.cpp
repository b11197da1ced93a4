// LED, register 0x00 and 0x10 boxes, All On, All Off, Reset and the status boxes.
#include "EvalDialogFixture.h"

#include <string>
#include <tuple>
#include <vector>

namespace {

class BitTogglesTest : public EvalDialogFixture { };

TEST_F(BitTogglesTest, EachBoxReadsItsRegisterAndWritesOnlyItsBit)
{
    open();
    // In order, on a fresh panel with every LED box ticked; the byte written is the one the cell shows.
    // Rows that tick their box do it with Space, the others clear it with a click.
    const std::vector<std::tuple<int, bool, int, int, std::string>> presses {
        { IDC_LED3, false, 0x14, 0xC0, "C0" },
        { IDC_LED3, true, 0x14, 0xC0, "C4" },
        { IDC_LED1, false, 0x14, 0xFF, "FE" },
        { IDC_LED2, false, 0x14, 0xFF, "FD" },
        { IDC_LED4, false, 0x14, 0xFF, "F7" },
        { IDC_LED5, false, 0x14, 0xFF, "EF" },
        { IDC_LED6, false, 0x14, 0xFF, "DF" },
        { IDC_ENABLE_BACKLIGHT, false, 0x00, 0x07, "06" },
        { IDC_SPREAD_SPECTRUM, true, 0x00, 0x05, "07" },
        { IDC_SLEW_RATE, false, 0x00, 0x04, "00" },
        { IDC_PWM_STANDBY, true, 0x10, 0x05, "85" },
        { IDC_AUTO_STRING, false, 0x10, 0x85, "81" },
    };
    for (const auto& [id, ticks, reg, before, shown] : presses) {
        SCOPED_TRACE(testing::Message() << "control " << id << " on " << std::hex << before);
        load({ { reg, before } });
        dialog->SetDlgItemText(IDC_STATUS, "Status");
        ticks ? pressSpace(id) : click(id);
        EXPECT_EQ(ticked(id), ticks);
        EXPECT_EQ(accesses(), (std::vector { readOf(reg, before), writeOf(reg, std::stoi(shown, nullptr, 16)) }));
        EXPECT_EQ(text(reg == 0x00 ? IDC_REG00 : reg == 0x10 ? IDC_REG10 : IDC_REG14), shown);
        EXPECT_EQ(text(IDC_STATUS), reg == 0x00 ? "Ready0" : "Status");
    }
}

TEST_F(BitTogglesTest, AllOnAndAllOffSetEveryLedBoxAndKeepBits7And6)
{
    open();
    for (const auto& [id, before, shown, on] :
        { std::tuple { IDC_ALL_OFF, 0xFF, "C0", false }, std::tuple { IDC_ALL_ON, 0x80, "BF", true } }) {
        SCOPED_TRACE(id);
        load({ { 0x14, before } });
        click(id);
        EXPECT_EQ(accesses(), (std::vector { readOf(0x14, before), writeOf(0x14, std::stoi(shown, nullptr, 16)) }));
        EXPECT_EQ(text(IDC_REG14), shown);
        for (int led : { IDC_LED1, IDC_LED2, IDC_LED3, IDC_LED4, IDC_LED5, IDC_LED6 })
            EXPECT_EQ(ticked(led), on) << led;
    }
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

    settle();
    const auto after = accesses();
    ASSERT_GE(after.size(), 3u);
    EXPECT_EQ(after[1], writeOf(0x03, 0x00));
    EXPECT_EQ(after[2], writeOf(0x04, 0x00));
    EXPECT_EQ(text(IDC_TARGET), "00");
    EXPECT_EQ(text(IDC_PERCENT), "0.0");
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

// The cell stays and the clicked box keeps the user's mark.
TEST_F(BitTogglesTest, FailedReadWritesNothing)
{
    open();
    load({ { 0x14, 0xC0 }, { 0x00, 0x01 } });
    ptx::sim::failReadsOf(0x14);
    click(IDC_LED2);
    click(IDC_ALL_OFF);
    ptx::sim::failReadsOf(0x00);
    click(IDC_ENABLE_BACKLIGHT);

    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(text(IDC_REG14), "C0");
    EXPECT_FALSE(ticked(IDC_LED2));
    EXPECT_TRUE(ticked(IDC_LED1));
    EXPECT_FALSE(ticked(IDC_ENABLE_BACKLIGHT));
    EXPECT_EQ(text(IDC_REG00), "01");
    EXPECT_EQ(text(IDC_STATUS), "Ready4");
}

} // namespace
