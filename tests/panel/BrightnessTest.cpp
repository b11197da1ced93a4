// The slider, Target, Set and the percentage.
#include "EvalDialogFixture.h"

#include <tuple>
#include <vector>

namespace {

class BrightnessTest : public EvalDialogFixture {
protected:
    QSlider* slider() const { return control<QSlider>(IDC_BRIGHTNESS_SLIDER); }
};

TEST_F(BrightnessTest, FirstPaintWritesZeroAndShowsReady4ThenTheIdleWindowStopsPainting)
{
    create();
    EXPECT_EQ(text(IDC_STATUS), "Initialization Complete");
    ptx::sim::clearTransactions();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog->window()));
    QTest::qWait(300);

    const auto painted = accesses();
    ASSERT_GE(painted.size(), 2u);
    EXPECT_LE(painted.size(), 6u) << "the slider keeps repainting";
    EXPECT_EQ(painted[0], writeOf(0x03, 0x00));
    EXPECT_EQ(painted[1], writeOf(0x04, 0x00));
    EXPECT_EQ(text(IDC_STATUS), "Ready4");
    EXPECT_EQ(text(IDC_TARGET), "00");
    EXPECT_EQ(text(IDC_PERCENT), "0.0");

    ptx::sim::clearTransactions();
    QTest::qWait(300);
    EXPECT_TRUE(accesses().empty());
}

// The brightness cells show only bytes the chip took, and "Ready4" only follows writes it took.
TEST_F(BrightnessTest, SliderMovesWriteTheBrightnessPairAndThePercentage)
{
    open();
    slider()->setFocus();
    // End, 3967 steps back to 128, then Home with register 0x04 refusing its write.
    for (const auto& [key, presses, lo, hi, target, percent, hiTaken] :
        { std::tuple { Qt::Key_End, 1, 0xF0, 0xFF, "FFF", "100.0", true },
            std::tuple { Qt::Key_Left, 3967, 0x00, 0x08, "80", "3.1", true },
            std::tuple { Qt::Key_Home, 1, 0x00, 0x00, "00", "0.0", false } }) {
        SCOPED_TRACE(target);
        settle();
        const std::string cell04 = text(IDC_REG04);
        dialog->SetDlgItemText(IDC_STATUS, "Status");
        ptx::sim::clearTransactions();
        if (!hiTaken)
            ptx::sim::failWritesOf(0x04);
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(slider(), key);
        settle();
        const auto written = writes();
        ASSERT_GE(written.size(), 2u);
        EXPECT_EQ(written[written.size() - 2], writeOf(0x03, lo));
        EXPECT_EQ(written.back(), (RegisterAccess { Access::Write, 0x04, hi, hiTaken }));
        EXPECT_EQ(text(IDC_TARGET), target);
        EXPECT_EQ(text(IDC_PERCENT), percent);
        EXPECT_EQ(text(IDC_REG03), QString::asprintf("%02X", lo).toStdString());
        EXPECT_EQ(text(IDC_REG04), hiTaken ? QString::asprintf("%02X", hi).toStdString() : cell04);
        EXPECT_EQ(text(IDC_STATUS), hiTaken ? "Ready4" : "Status");
    }
}

TEST_F(BrightnessTest, TargetTypingWritesEachKeystrokeAndLeavesSliderCellsAndStatus)
{
    open();
    dialog->SetDlgItemText(IDC_STATUS, "Status");
    ptx::sim::clearTransactions();
    typeOver(IDC_TARGET, "123");
    EXPECT_EQ(accesses(),
        (std::vector { writeOf(0x03, 0x10), writeOf(0x04, 0x00), writeOf(0x03, 0x20), writeOf(0x04, 0x01),
            writeOf(0x03, 0x30), writeOf(0x04, 0x12) }));
    EXPECT_EQ(text(IDC_TARGET), "123");
    EXPECT_EQ(sliderPosition(), 0);
    EXPECT_EQ(text(IDC_REG03), "00");
    EXPECT_EQ(text(IDC_REG04), "00");
    EXPECT_EQ(text(IDC_STATUS), "Status");

    // Past 16 digits the value saturates instead of wrapping round to ...F0.
    ptx::sim::clearTransactions();
    typeOver(IDC_TARGET, "FFFFFFFFFFFFFFFFF0");
    const auto written = writes();
    ASSERT_EQ(written.size(), 36u);
    EXPECT_EQ(std::vector(written.end() - 4, written.end()),
        (std::vector { writeOf(0x03, 0xF0), writeOf(0x04, 0xFF), writeOf(0x03, 0xF0), writeOf(0x04, 0xFF) }));
    EXPECT_EQ(sliderPosition(), 0);
}

// Set clamps the slider before narrowing and writes the low bits of the wide value.
TEST_F(BrightnessTest, SetMovesTheSliderWithinRangeAndThePaintWritesItAgain)
{
    open();
    // What Set writes itself, then Target after the slider's drawing.
    for (const auto& [typed, position, lo, hi, target] :
        { std::tuple { "1FFF", 4095, 0xF0, 0xFF, "FFF" }, std::tuple { "FFFFFFFFFFFFFFFFFF", 4095, 0xF0, 0xFF, "FFF" },
            std::tuple { "80", 128, 0x00, 0x08, "80" }, std::tuple { "-5", 0, 0xB0, 0xFF, "00" } }) {
        SCOPED_TRACE(typed);
        typeOver(IDC_TARGET, typed);
        ptx::sim::clearTransactions();
        click(IDC_SET);
        EXPECT_EQ(accesses(), (std::vector { writeOf(0x03, lo), writeOf(0x04, hi) }));
        EXPECT_EQ(sliderPosition(), position);

        settle();
        const auto written = writes();
        ASSERT_GE(written.size(), 4u);
        EXPECT_EQ(written[2], writeOf(0x03, (position & 0x0F) * 16));
        EXPECT_EQ(written[3], writeOf(0x04, position >> 4));
        EXPECT_EQ(text(IDC_TARGET), target);
    }
}

TEST_F(BrightnessTest, WithoutAdapterTheCellsStayEmptyAndReadyIsNeverClaimed)
{
    ptx::sim::setFault(ptx::sim::Fault::AdapterAbsent);
    open();
    EXPECT_EQ(text(IDC_TARGET), "00");
    QTest::keyClick(slider(), Qt::Key_End);
    settle();
    EXPECT_EQ(text(IDC_TARGET), "FFF");
    typeOver(IDC_TARGET, "80");
    click(IDC_SET);
    settle();
    EXPECT_EQ(sliderPosition(), 128);
    EXPECT_EQ(text(IDC_PERCENT), "3.1");
    EXPECT_EQ(text(IDC_REG03), "");
    EXPECT_EQ(text(IDC_REG04), "");
    EXPECT_EQ(text(IDC_STATUS), "USB Initialization Error");
}

} // namespace
