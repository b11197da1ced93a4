// The slider, Target, Set and the percentage.
#include "EvalDialogFixture.h"

#include <QLineEdit>

#include <vector>

namespace {

class BrightnessTest : public EvalDialogFixture {
protected:
    QSlider* slider() const { return control<QSlider>(IDC_BRIGHTNESS_SLIDER); }

    // The brightness writes the log holds, as register/value pairs.
    static std::vector<RegisterAccess> brightnessWrites()
    {
        std::vector<RegisterAccess> found;
        for (const auto& access : writes())
            if (access.registerAddress == 0x03 || access.registerAddress == 0x04)
                found.push_back(access);
        return found;
    }
};

TEST_F(BrightnessTest, FirstPaintWritesZeroAndShowsReady4)
{
    dialog = std::make_unique<EvalDialog>(true);
    dialog->Create();
    EXPECT_EQ(text(IDC_STATUS), "Initialization Complete");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog->window()));
    settle();

    const auto written = brightnessWrites();
    ASSERT_GE(written.size(), 2u);
    EXPECT_EQ(written[0], writeOf(0x03, 0x00));
    EXPECT_EQ(written[1], writeOf(0x04, 0x00));
    EXPECT_EQ(text(IDC_STATUS), "Ready4");
    EXPECT_EQ(text(IDC_TARGET), "00");
    EXPECT_EQ(text(IDC_PERCENT), "0.0");
    EXPECT_EQ(text(IDC_REG03), "00");
    EXPECT_EQ(text(IDC_REG04), "00");
}

TEST_F(BrightnessTest, IdleWindowStopsPainting)
{
    open();
    QTest::qWait(300);
    const auto shownAndIdle = brightnessWrites();
    EXPECT_GE(shownAndIdle.size(), 2u);
    EXPECT_LE(shownAndIdle.size(), 6u);

    ptx::sim::clearTransactions();
    QTest::qWait(300);
    EXPECT_TRUE(accesses().empty());
}

TEST_F(BrightnessTest, SliderMovesWriteTheBrightnessPairAndThePercentage)
{
    open();
    slider()->setFocus();
    settle();
    ptx::sim::clearTransactions();

    QTest::keyClick(slider(), Qt::Key_End);
    settle();
    ASSERT_FALSE(writes().empty());
    EXPECT_EQ(writes().back(), writeOf(0x04, 0xFF));
    EXPECT_EQ(*(writes().end() - 2), writeOf(0x03, 0xF0));
    EXPECT_EQ(text(IDC_TARGET), "FFF");
    EXPECT_EQ(text(IDC_PERCENT), "100.0");
    EXPECT_EQ(text(IDC_REG03), "F0");
    EXPECT_EQ(text(IDC_REG04), "FF");
    EXPECT_EQ(text(IDC_STATUS), "Ready4");

    // 128 steps left of the end: 4095 - 3967 = 128.
    for (int i = 0; i < 3967; ++i)
        QTest::keyClick(slider(), Qt::Key_Left);
    settle();
    ASSERT_EQ(sliderPosition(), 128);
    EXPECT_EQ(writes().back(), writeOf(0x04, 0x08));
    EXPECT_EQ(*(writes().end() - 2), writeOf(0x03, 0x00));
    EXPECT_EQ(text(IDC_TARGET), "80");
    EXPECT_EQ(text(IDC_PERCENT), "3.1");
}

TEST_F(BrightnessTest, TargetTypingWritesEachKeystrokeAndLeavesSliderCellsAndStatus)
{
    open();
    load({});
    click(IDC_ENABLE_BACKLIGHT);
    ASSERT_EQ(text(IDC_STATUS), "Ready0");
    settle();
    ptx::sim::clearTransactions();

    typeOver(IDC_TARGET, "123");
    EXPECT_EQ(accesses(),
        (std::vector { writeOf(0x03, 0x10), writeOf(0x04, 0x00), writeOf(0x03, 0x20), writeOf(0x04, 0x01),
            writeOf(0x03, 0x30), writeOf(0x04, 0x12) }));
    EXPECT_EQ(text(IDC_TARGET), "123");
    EXPECT_EQ(sliderPosition(), 0);
    EXPECT_EQ(text(IDC_REG03), "00");
    EXPECT_EQ(text(IDC_REG04), "00");
    EXPECT_EQ(text(IDC_STATUS), "Ready0");
}

// Set clamps the slider before narrowing and writes the low bits of the wide value.
TEST_F(BrightnessTest, SetMovesTheSliderWithinRangeAndThePaintWritesItAgain)
{
    open();
    struct Case {
        const char* typed;
        int position;
        RegisterAccess lo, hi; // what Set itself writes
        const char* target; // after the slider's drawing
    };
    const std::vector<Case> cases {
        { "1FFF", 4095, writeOf(0x03, 0xF0), writeOf(0x04, 0xFF), "FFF" },
        { "FFFFFFFFFFFFFFFFFF", 4095, writeOf(0x03, 0xF0), writeOf(0x04, 0xFF), "FFF" },
        { "80", 128, writeOf(0x03, 0x00), writeOf(0x04, 0x08), "80" },
        { "-5", 0, writeOf(0x03, 0xB0), writeOf(0x04, 0xFF), "00" },
    };
    for (const Case& c : cases) {
        typeOver(IDC_TARGET, c.typed);
        ptx::sim::clearTransactions();
        click(IDC_SET);
        EXPECT_EQ(accesses(), (std::vector { c.lo, c.hi })) << c.typed;
        EXPECT_EQ(sliderPosition(), c.position) << c.typed;

        settle();
        const int lo = (c.position & 0x0F) * 16;
        const int hi = c.position >> 4;
        ASSERT_GE(writes().size(), 4u) << c.typed;
        EXPECT_EQ(writes()[2], writeOf(0x03, lo)) << c.typed;
        EXPECT_EQ(writes()[3], writeOf(0x04, hi)) << c.typed;
        EXPECT_EQ(text(IDC_TARGET), c.target) << c.typed;
    }
}

// Without an adapter the start-up error stays on the status line.
TEST_F(BrightnessTest, WithoutAdapterReadyIsNeverClaimed)
{
    ptx::sim::setFault(ptx::sim::Fault::AdapterAbsent);
    open();
    EXPECT_EQ(text(IDC_STATUS), "USB Initialization Error");
    EXPECT_EQ(text(IDC_TARGET), "00");

    QTest::keyClick(slider(), Qt::Key_End);
    click(IDC_ENABLE_BACKLIGHT);
    click(IDC_SLEW_RATE);
    settle();
    EXPECT_EQ(text(IDC_TARGET), "FFF");
    EXPECT_EQ(text(IDC_STATUS), "USB Initialization Error");
    for (const auto& access : accesses())
        EXPECT_FALSE(access.ok) << access;
}

// "Ready0" and "Ready4" only follow writes the chip took.
TEST_F(BrightnessTest, FailedWritesLeaveTheStatusLine)
{
    open();
    load({});
    ptx::sim::failWritesOf(0x00);
    click(IDC_SLEW_RATE);
    ASSERT_EQ(writes().size(), 1u);
    EXPECT_FALSE(writes().front().ok);
    EXPECT_EQ(text(IDC_STATUS), "Ready4");

    ptx::sim::failWritesOf(0x04);
    click(IDC_SPREAD_SPECTRUM);
    ASSERT_EQ(text(IDC_STATUS), "Ready0");
    QTest::keyClick(slider(), Qt::Key_End);
    settle();
    EXPECT_EQ(text(IDC_STATUS), "Ready0");
    // Register 0x03 is still written when 0x04 fails.
    EXPECT_EQ(ptx::sim::registerValue(0x03), 0xF0);
}

} // namespace
