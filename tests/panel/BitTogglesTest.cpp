// LED, register 0x00 and 0x10 boxes, All On, All Off and Reset.
#include "EvalDialogFixture.h"

#include <vector>

using BitTogglesTest = EvalDialogFixture;

TEST_F(BitTogglesTest, EachControlReadsItsRegisterAndWritesOnlyItsBits)
{
    open();
    struct Press {
        int id;
        bool space; // else a mouse click
        int reg, before, written;
        Refused refused = Refused::Nothing; // no "Ready0" then
    };
    // In order, on a fresh panel with every LED box ticked, so a press clears its box unless it ticks it again.
    const std::vector<Press> presses {
        { IDC_LED3, false, 0x14, 0xC0, 0xC0 },
        { IDC_LED3, true, 0x14, 0xC0, 0xC4 },
        { IDC_LED1, false, 0x14, 0xFF, 0xFE },
        { IDC_LED2, false, 0x14, 0xFF, 0xFD, Refused::Write },
        { IDC_LED4, false, 0x14, 0xFF, 0xF7 },
        { IDC_LED5, false, 0x14, 0xFF, 0xEF },
        { IDC_LED6, false, 0x14, 0xFF, 0xDF },
        { IDC_ALL_OFF, false, 0x14, 0xFF, 0xC0 },
        { IDC_ALL_ON, true, 0x14, 0x80, 0xBF },
        { IDC_ALL_OFF, false, 0x14, 0x7F, 0x40, Refused::Write },
        // A failed read leaves the LED boxes as All Off set them, and the clicked box with the user's mark.
        { IDC_ALL_ON, false, 0x14, 0xFF, 0, Refused::Read },
        { IDC_LED2, true, 0x14, 0xC0, 0, Refused::Read },
        { IDC_ENABLE_BACKLIGHT, false, 0x00, 0x07, 0x06 },
        { IDC_SPREAD_SPECTRUM, true, 0x00, 0x05, 0x07 },
        { IDC_SLEW_RATE, false, 0x00, 0x04, 0x00 },
        { IDC_ENABLE_BACKLIGHT, true, 0x00, 0x02, 0x03, Refused::Write },
        { IDC_ENABLE_BACKLIGHT, true, 0x00, 0x00, 0, Refused::Read },
        { IDC_PWM_STANDBY, true, 0x10, 0x05, 0x85 },
        { IDC_AUTO_STRING, false, 0x10, 0x85, 0x81 },
        { IDC_AUTO_STRING, true, 0x10, 0x01, 0x05, Refused::Write },
    };
    for (const Press& p : presses) {
        SCOPED_TRACE(testing::Message() << "control " << p.id << " on " << std::hex << p.before);
        load({ { p.reg, p.before } });
        dialog->SetDlgItemText(IDC_STATUS, "Status");
        expectReadThenWrite([&] { p.space ? pressSpace(p.id) : click(p.id); }, p.reg, p.before, p.written, p.refused);
        EXPECT_EQ(text(IDC_STATUS), p.reg == 0x00 && p.refused == Refused::Nothing ? "Ready0" : "Status");
        // The boxes show the user's choice whether or not the chip took it.
        if (p.id == IDC_ALL_ON || p.id == IDC_ALL_OFF) {
            for (int led : { IDC_LED1, IDC_LED2, IDC_LED3, IDC_LED4, IDC_LED5, IDC_LED6 })
                EXPECT_EQ(ticked(led), (p.id == IDC_ALL_ON) != (p.refused == Refused::Read)) << led;
        } else {
            EXPECT_EQ(ticked(p.id), p.space);
        }
    }
}

TEST_F(BitTogglesTest, ResetWritesOnly0x80AndPutsTheSliderBackToZero)
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
}
