// LED, register 0x00 and 0x10 boxes, All On, All Off, Reset and the status boxes.
#include "EvalDialogFixture.h"

#include <string>
#include <vector>

namespace {

class BitTogglesTest : public EvalDialogFixture { };

const std::vector<int> leds { IDC_LED1, IDC_LED2, IDC_LED3, IDC_LED4, IDC_LED5, IDC_LED6 };

TEST_F(BitTogglesTest, EachControlReadsItsRegisterAndWritesOnlyItsBits)
{
    open();
    struct Press {
        int id;
        bool space; // else a mouse click
        int reg, before, written;
        bool fails = false; // the chip refuses the write: the cell keeps its text, no "Ready0"
    };
    // In order, on a fresh panel with every LED box ticked, so a press clears its box unless it ticks it again.
    const std::vector<Press> presses {
        { IDC_LED3, false, 0x14, 0xC0, 0xC0 },
        { IDC_LED3, true, 0x14, 0xC0, 0xC4 },
        { IDC_LED1, false, 0x14, 0xFF, 0xFE },
        { IDC_LED2, false, 0x14, 0xFF, 0xFD, true },
        { IDC_LED4, false, 0x14, 0xFF, 0xF7 },
        { IDC_LED5, false, 0x14, 0xFF, 0xEF },
        { IDC_LED6, false, 0x14, 0xFF, 0xDF },
        { IDC_ALL_OFF, false, 0x14, 0xFF, 0xC0 },
        { IDC_ALL_ON, true, 0x14, 0x80, 0xBF },
        { IDC_ALL_OFF, false, 0x14, 0x7F, 0x40, true },
        { IDC_ENABLE_BACKLIGHT, false, 0x00, 0x07, 0x06 },
        { IDC_SPREAD_SPECTRUM, true, 0x00, 0x05, 0x07 },
        { IDC_SLEW_RATE, false, 0x00, 0x04, 0x00 },
        { IDC_ENABLE_BACKLIGHT, true, 0x00, 0x02, 0x03, true },
        { IDC_PWM_STANDBY, true, 0x10, 0x05, 0x85 },
        { IDC_AUTO_STRING, false, 0x10, 0x85, 0x81 },
        { IDC_AUTO_STRING, true, 0x10, 0x01, 0x05, true },
    };
    for (const Press& p : presses) {
        SCOPED_TRACE(testing::Message() << "control " << p.id << " on " << std::hex << p.before);
        load({ { p.reg, p.before } });
        const int cell = p.reg == 0x00 ? IDC_REG00 : p.reg == 0x10 ? IDC_REG10 : IDC_REG14;
        const std::string cellBefore = text(cell);
        dialog->SetDlgItemText(IDC_STATUS, "Status");
        if (p.fails)
            ptx::sim::failNextWrites(1);
        p.space ? pressSpace(p.id) : click(p.id);

        EXPECT_EQ(accesses(),
            (std::vector<RegisterAccess> { readOf(p.reg, p.before), { Access::Write, p.reg, p.written, !p.fails } }));
        EXPECT_EQ(text(cell), p.fails ? cellBefore : QString::asprintf("%02X", p.written).toStdString());
        EXPECT_EQ(text(IDC_STATUS), p.reg == 0x00 && !p.fails ? "Ready0" : "Status");
        // The boxes show the user's choice whether or not the chip took it.
        if (p.id == IDC_ALL_ON || p.id == IDC_ALL_OFF) {
            for (int led : leds)
                EXPECT_EQ(ticked(led), p.id == IDC_ALL_ON) << led;
        } else {
            EXPECT_EQ(ticked(p.id), p.space);
        }
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

// Status boxes only toggle their mark; a failed read writes nothing and the clicked box keeps the user's mark.
TEST_F(BitTogglesTest, StatusBoxesAndFailedReadsWriteNothing)
{
    open();
    load({ { 0x14, 0xC0 }, { 0x00, 0x01 } });
    for (int id : { IDC_OPEN, IDC_SHORT, IDC_UNDER_VOLTAGE, IDC_OVER_VOLTAGE, IDC_OVER_CURRENT, IDC_TSD, IDC_UVLO }) {
        click(id);
        EXPECT_TRUE(ticked(id)) << id;
        pressSpace(id);
        EXPECT_FALSE(ticked(id)) << id;
    }
    ptx::sim::failReadsOf(0x14);
    click(IDC_LED2);
    click(IDC_ALL_OFF);
    ptx::sim::failReadsOf(0x00);
    click(IDC_ENABLE_BACKLIGHT);
    settle();

    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(text(IDC_REG14), "C0");
    EXPECT_FALSE(ticked(IDC_LED2));
    EXPECT_TRUE(ticked(IDC_LED1));
    EXPECT_FALSE(ticked(IDC_ENABLE_BACKLIGHT));
    EXPECT_EQ(text(IDC_REG00), "01");
    EXPECT_EQ(text(IDC_STATUS), "Ready4");
}

} // namespace
