// The seven lists and the four External boxes.
#include "EvalDialogFixture.h"

#include <functional>
#include <vector>

namespace {

class FieldSelectorsTest : public EvalDialogFixture { };

TEST_F(FieldSelectorsTest, ModeReplacesBits1And0AndWritesBeforeShowing)
{
    open();
    load({ { 0x10, 0x87 } });
    choose(IDC_MODE_LIST, 2);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x10, 0x87), writeOf(0x10, 0x86) }));
    EXPECT_EQ(text(IDC_REG10), "86");
    EXPECT_EQ(selection(IDC_MODE_LIST), 2);
}

TEST_F(FieldSelectorsTest, CurrentScaleAndIsetExternal)
{
    open();
    load({ { 0x11, 0x7E } });
    choose(IDC_CURRENT_SCALE_LIST, 5);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x11, 0x7E), writeOf(0x11, 0x05) }));
    EXPECT_EQ(text(IDC_REG11), "05");

    // "External ISET" with the box clear ticks it and keeps bits 2 to 0.
    ptx::sim::clearTransactions();
    choose(IDC_CURRENT_SCALE_LIST, 8);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x11, 0x85) }));
    EXPECT_TRUE(ticked(IDC_ISET_EXTERNAL));
    EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), 8);

    // With the box ticked an internal choice lands in bits 2 to 0 and the list snaps back.
    ptx::sim::clearTransactions();
    choose(IDC_CURRENT_SCALE_LIST, 3);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x11, 0x83) }));
    EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), 8);
    EXPECT_EQ(text(IDC_REG11), "83");

    ptx::sim::setRegister(0x11, 0x86);
    ptx::sim::clearTransactions();
    click(IDC_ISET_EXTERNAL);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x11, 0x86), writeOf(0x11, 0x06) }));
    EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), 6);
    EXPECT_EQ(control<QComboBox>(IDC_CURRENT_SCALE_LIST)->currentText().toStdString(), "110 = 23mA");
    EXPECT_EQ(text(IDC_REG11), "06");

    // Ticking it again puts the list's item into bits 2 to 0.
    ptx::sim::clearTransactions();
    click(IDC_ISET_EXTERNAL);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x11, 0x86) }));
    EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), 8);
}

// The external item's index never reaches the field bits.
TEST_F(FieldSelectorsTest, ExternalItemChosenAgainKeepsTheFieldBits)
{
    open();
    load({ { 0x11, 0x85 }, { 0x12, 0x83 } });
    ASSERT_TRUE(ticked(IDC_ISET_EXTERNAL));

    choose(IDC_CURRENT_SCALE_LIST, 8);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x11, 0x85) }));
    EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), 8);

    ptx::sim::clearTransactions();
    choose(IDC_PWM_FREQUENCY_LIST, 8);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x12, 0x83) }));
    EXPECT_EQ(selection(IDC_PWM_FREQUENCY_LIST), 8);

    // The box ticked while the list stands on the external item (the clearing click's read failed).
    ptx::sim::failNextReads(1);
    click(IDC_ISET_EXTERNAL);
    ASSERT_FALSE(ticked(IDC_ISET_EXTERNAL));
    ASSERT_EQ(selection(IDC_CURRENT_SCALE_LIST), 8);
    ptx::sim::clearTransactions();
    click(IDC_ISET_EXTERNAL);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x11, 0x85) }));
    EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), 8);
}

TEST_F(FieldSelectorsTest, PwmFrequencyAndPfsetExternal)
{
    open();
    load({});
    ptx::sim::setRegister(0x12, 0xFF);
    choose(IDC_PWM_FREQUENCY_LIST, 2);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x12, 0xFF), writeOf(0x12, 0x3A) }));
    EXPECT_EQ(text(IDC_REG12), "3A");

    ptx::sim::clearTransactions();
    click(IDC_PFSET_EXTERNAL);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x12, 0xBA) }));
    EXPECT_EQ(selection(IDC_PWM_FREQUENCY_LIST), 8);

    ptx::sim::clearTransactions();
    choose(IDC_PWM_FREQUENCY_LIST, 5);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x12, 0xBD) }));
    EXPECT_EQ(selection(IDC_PWM_FREQUENCY_LIST), 8);

    ptx::sim::clearTransactions();
    click(IDC_PFSET_EXTERNAL);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x12, 0x3D) }));
    EXPECT_EQ(selection(IDC_PWM_FREQUENCY_LIST), 5);
}

TEST_F(FieldSelectorsTest, BoostListsAndExternalBoxes)
{
    open();
    load({ { 0x13, 0x00 } });
    choose(IDC_BOOST_COMP_LIST, 1);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x13, 0x00), writeOf(0x13, 0x02) }));
    EXPECT_EQ(text(IDC_REG13), "02");

    ptx::sim::clearTransactions();
    choose(IDC_BOOST_FSET_LIST, 1);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x13, 0x03) }));

    ptx::sim::clearTransactions();
    click(IDC_BOOST_COMP_EXTERNAL);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x13, 0x43) }));
    EXPECT_EQ(selection(IDC_BOOST_COMP_LIST), 2);

    // With COMP external the choice is refused: the byte goes back unchanged.
    ptx::sim::clearTransactions();
    choose(IDC_BOOST_COMP_LIST, 0);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x13, 0x43) }));
    EXPECT_EQ(selection(IDC_BOOST_COMP_LIST), 2);

    ptx::sim::clearTransactions();
    choose(IDC_BOOST_FSET_LIST, 2);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x13, 0xC3) }));
    EXPECT_TRUE(ticked(IDC_BOOST_FSET_EXTERNAL));

    ptx::sim::clearTransactions();
    click(IDC_BOOST_COMP_EXTERNAL);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x13, 0x83) }));
    EXPECT_EQ(selection(IDC_BOOST_COMP_LIST), 1);
}

// Clearing FSET External sets the list from bit 0, as COMP External does from bit 1.
TEST_F(FieldSelectorsTest, FsetExternalClearedFollowsBit0)
{
    open();
    load({ { 0x13, 0x80 } });
    ASSERT_EQ(selection(IDC_BOOST_FSET_LIST), 2);
    click(IDC_BOOST_FSET_EXTERNAL);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x13, 0x00) }));
    EXPECT_EQ(control<QComboBox>(IDC_BOOST_FSET_LIST)->currentText().toStdString(), "500 kHz");

    load({ { 0x13, 0x81 } });
    click(IDC_BOOST_FSET_EXTERNAL);
    EXPECT_EQ(writes(), (std::vector { writeOf(0x13, 0x01) }));
    EXPECT_EQ(selection(IDC_BOOST_FSET_LIST), 1);
}

// Typing into the FSET field while the list stands on "External FSET" never sets bit 1.
TEST_F(FieldSelectorsTest, FsetTypedOnTheExternalItemSetsFsetExternal)
{
    open();
    load({ { 0x13, 0x80 } });
    ptx::sim::failNextReads(1);
    click(IDC_BOOST_FSET_EXTERNAL);
    ASSERT_FALSE(ticked(IDC_BOOST_FSET_EXTERNAL));
    ASSERT_EQ(selection(IDC_BOOST_FSET_LIST), 2);
    ptx::sim::clearTransactions();

    typeIntoList(IDC_BOOST_FSET_LIST, "x");
    EXPECT_EQ(accesses(), (std::vector { readOf(0x13, 0x80), writeOf(0x13, 0x80) }));
    EXPECT_TRUE(ticked(IDC_BOOST_FSET_EXTERNAL));
}

TEST_F(FieldSelectorsTest, StepAndSmoothingRunOnChoiceAndOnTyping)
{
    open();
    load({ { 0x15, 0x40 } });
    choose(IDC_STEP_LIST, 3);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x15, 0x40), writeOf(0x15, 0x43) }));
    EXPECT_EQ(text(IDC_REG15), "43");

    load({ { 0x15, 0x03 } });
    choose(IDC_SMOOTHING_LIST, 2);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x15, 0x03), writeOf(0x15, 0x83) }));
    EXPECT_EQ(text(IDC_REG15), "83");

    // Typing runs the operation per keystroke with the selection the list still holds.
    ptx::sim::clearTransactions();
    typeIntoList(IDC_STEP_LIST, "ab");
    EXPECT_EQ(writes(), (std::vector { writeOf(0x15, 0x83), writeOf(0x15, 0x83) }));
    ptx::sim::setRegister(0x15, 0x00);
    ptx::sim::clearTransactions();
    typeIntoList(IDC_SMOOTHING_LIST, "z");
    EXPECT_EQ(writes(), (std::vector { writeOf(0x15, 0x80) }));
}

TEST_F(FieldSelectorsTest, TypingIntoTheOtherListsRunsNothing)
{
    open();
    load({});
    for (int id : { IDC_MODE_LIST, IDC_CURRENT_SCALE_LIST, IDC_PWM_FREQUENCY_LIST, IDC_BOOST_COMP_LIST })
        typeIntoList(id, "1");
    EXPECT_TRUE(accesses().empty());
}

// A list without a selection gives no field value: nothing is written.
TEST_F(FieldSelectorsTest, ListWithoutSelectionWritesNothing)
{
    ptx::sim::failReadsOf(0x15);
    open();
    ASSERT_EQ(selection(IDC_STEP_LIST), -1);
    ASSERT_EQ(selection(IDC_SMOOTHING_LIST), -1);
    ptx::sim::simulator().faults().failingReadRegister.reset();
    ptx::sim::clearTransactions();

    typeIntoList(IDC_STEP_LIST, "5");
    typeIntoList(IDC_SMOOTHING_LIST, "5");
    EXPECT_EQ(accesses(), (std::vector { readOf(0x15, 0x00), readOf(0x15, 0x00) }));
    EXPECT_EQ(text(IDC_REG15), "");
}

// A read that fails feeds no write; the list keeps the user's choice and the cell its text.
TEST_F(FieldSelectorsTest, FailedReadWritesNothing)
{
    open();
    load({});
    const std::vector<std::pair<int, std::function<void()>>> operations {
        { 0x10, [this] { choose(IDC_MODE_LIST, 3); } },
        { 0x11, [this] { choose(IDC_CURRENT_SCALE_LIST, 7); } },
        { 0x11, [this] { click(IDC_ISET_EXTERNAL); } },
        { 0x12, [this] { choose(IDC_PWM_FREQUENCY_LIST, 7); } },
        { 0x12, [this] { click(IDC_PFSET_EXTERNAL); } },
        { 0x13, [this] { choose(IDC_BOOST_FSET_LIST, 0); } },
        { 0x13, [this] { typeIntoList(IDC_BOOST_FSET_LIST, "1"); } },
        { 0x13, [this] { choose(IDC_BOOST_COMP_LIST, 1); } },
        { 0x13, [this] { click(IDC_BOOST_FSET_EXTERNAL); } },
        { 0x13, [this] { click(IDC_BOOST_COMP_EXTERNAL); } },
        { 0x15, [this] { choose(IDC_STEP_LIST, 2); } },
        { 0x15, [this] { choose(IDC_SMOOTHING_LIST, 2); } },
    };
    for (const auto& [reg, operation] : operations) {
        ptx::sim::failReadsOf(reg);
        ptx::sim::clearTransactions();
        operation();
        EXPECT_TRUE(writes().empty()) << "register " << reg;
    }
    EXPECT_EQ(selection(IDC_MODE_LIST), 3);
    EXPECT_EQ(selection(IDC_CURRENT_SCALE_LIST), 7);
    EXPECT_TRUE(ticked(IDC_ISET_EXTERNAL));
    EXPECT_EQ(selection(IDC_STEP_LIST), 2);
    const std::vector<std::pair<int, const char*>> cells { { IDC_REG10, "01" }, { IDC_REG11, "04" },
        { IDC_REG12, "02" }, { IDC_REG13, "01" }, { IDC_REG15, "00" } };
    for (const auto& [id, shown] : cells)
        EXPECT_EQ(text(id), shown) << id;
}

} // namespace
