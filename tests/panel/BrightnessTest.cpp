// The slider, Target, Set and the percentage.
#include "EvalDialogFixture.h"

#include <tuple>
#include <vector>

class BrightnessTest : public EvalDialogFixture {
protected:
    QSlider* slider() const { return control<QSlider>(IDC_BRIGHTNESS_SLIDER); }
};

// The brightness cells show only bytes the chip took, and "Ready4" only follows writes it took.
TEST_F(BrightnessTest, EachDrawingOfTheSliderWritesTheBrightnessPairAndThePercentageUntilTheWindowIsIdle)
{
    create();
    struct Drawing {
        Qt::Key key; // pressed `times` on the slider first; nothing before the first drawing
        int times, lo, hi;
        const char *target, *percent;
        int refused = 0; // the register whose writes the chip refuses
    };
    const std::vector<Drawing> drawings {
        { Qt::Key_unknown, 0, 0x00, 0x00, "00", "0.0" },
        { Qt::Key_End, 1, 0xF0, 0xFF, "FFF", "100.0" },
        { Qt::Key_Left, 2, 0xD0, 0xFF, "FFD", "100.0", 0x03 },
        { Qt::Key_Home, 1, 0x00, 0x00, "00", "0.0", 0x04 },
    };
    for (const Drawing& d : drawings) {
        SCOPED_TRACE(d.target);
        const std::string cell03 = text(IDC_REG03), cell04 = text(IDC_REG04);
        dialog->SetDlgItemText(IDC_STATUS, "Status");
        ptx::sim::clearTransactions();
        if (d.refused)
            ptx::sim::failWritesOf(d.refused);
        for (int i = 0; i < d.times; ++i)
            QTest::keyClick(slider(), d.key);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog->window()));
        settle();
        const auto written = writes();
        ASSERT_GE(written.size(), 2u);
        EXPECT_EQ(std::vector(written.end() - 2, written.end()),
            (std::vector { writeOf(0x03, d.lo, d.refused != 0x03), writeOf(0x04, d.hi, d.refused != 0x04) }));
        EXPECT_EQ(text(IDC_TARGET), d.target);
        EXPECT_EQ(text(IDC_PERCENT), d.percent);
        EXPECT_EQ(text(IDC_REG03), d.refused == 0x03 ? cell03 : hex(d.lo));
        EXPECT_EQ(text(IDC_REG04), d.refused == 0x04 ? cell04 : hex(d.hi));
        EXPECT_EQ(text(IDC_STATUS), d.refused ? "Status" : "Ready4");
    }
    ptx::sim::clearTransactions();
    QTest::qWait(300);
    EXPECT_TRUE(accesses().empty()) << "the slider keeps repainting";
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
        EXPECT_EQ(std::vector(written.begin() + 2, written.begin() + 4),
            (std::vector { writeOf(0x03, (position & 0x0F) * 16), writeOf(0x04, position >> 4) }));
        EXPECT_EQ(text(IDC_TARGET), target);
    }
}

// Without an adapter the chip receives nothing, so no cell is ever filled and "Ready4" never claimed.
TEST_F(BrightnessTest, WithoutAdapterNoCellIsFilledByDrawingsTargetOrSet)
{
    ptx::sim::setFault(ptx::sim::Fault::AdapterAbsent);
    open();
    QTest::keyClick(slider(), Qt::Key_End);
    settle();
    typeOver(IDC_TARGET, "80");
    click(IDC_SET);
    settle();
    EXPECT_EQ(sliderPosition(), 128);
    for (int id : { IDC_REG00, IDC_REG01, IDC_REG02, IDC_REG03, IDC_REG04, IDC_REG10, IDC_REG11, IDC_REG12, IDC_REG13,
             IDC_REG14, IDC_REG15 })
        EXPECT_EQ(text(id), "") << id;
    EXPECT_EQ(text(IDC_STATUS), "USB Initialization Error");
}
