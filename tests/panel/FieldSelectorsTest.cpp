// The seven lists and the four External boxes.
#include "EvalDialogFixture.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Input = std::function<void()>;

class FieldSelectorsTest : public EvalDialogFixture {
protected:
    Input pick(int list, int item) { return std::bind(&FieldSelectorsTest::choose, this, list, item); }
    Input press(int box) { return std::bind(&FieldSelectorsTest::click, this, box); }
    Input type(int list, const char* typed) { return std::bind(&FieldSelectorsTest::typeIntoList, this, list, typed); }
    // The box is cleared by a click whose read fails, so it is clear while its list stays on the external item.
    Input afterFailedClear(int box, Input input)
    {
        return [=, this] {
            ptx::sim::failNextReads(1);
            click(box);
            ptx::sim::clearTransactions();
            input();
        };
    }
    // The selected item, not what was typed into the field.
    std::string shown(int list) const { return control<QComboBox>(list)->itemText(selection(list)).toStdString(); }
};

TEST_F(FieldSelectorsTest, EachInputReadsItsRegisterAndWritesTheNewField)
{
    open();
    load({});
    struct Step {
        Input input;
        int reg, before;
        std::string after; // the byte written, as its cell shows it
        int list;
        std::string item; // what the list shows afterwards
        int ticked = 0; // a box the operation ticks
        bool fails = false; // the chip refuses the write: the cell keeps its text, the list is as above
    };
    // Steps run in order: the External boxes carry over from one to the next.
    const std::vector<Step> steps {
        { pick(IDC_MODE_LIST, 2), 0x10, 0x87, "86", IDC_MODE_LIST, "PWM x Brt Hi/Lo Reg" },
        { pick(IDC_MODE_LIST, 1), 0x10, 0x86, "85", IDC_MODE_LIST, "Brightness Hi/Lo Reg", 0, true },
        { pick(IDC_CURRENT_SCALE_LIST, 5), 0x11, 0x7E, "05", IDC_CURRENT_SCALE_LIST, "101 = 20mA" },
        { pick(IDC_CURRENT_SCALE_LIST, 2), 0x11, 0x05, "02", IDC_CURRENT_SCALE_LIST, "010 = 13mA", 0, true },
        { pick(IDC_CURRENT_SCALE_LIST, 5), 0x11, 0x02, "05", IDC_CURRENT_SCALE_LIST, "101 = 20mA" },
        { pick(IDC_CURRENT_SCALE_LIST, 8), 0x11, 0x05, "85", IDC_CURRENT_SCALE_LIST, "External ISET",
            IDC_ISET_EXTERNAL },
        { pick(IDC_CURRENT_SCALE_LIST, 3), 0x11, 0x85, "83", IDC_CURRENT_SCALE_LIST, "External ISET" },
        // The external item, chosen again or standing in the list when the box is ticked, keeps the field bits.
        { pick(IDC_CURRENT_SCALE_LIST, 8), 0x11, 0x83, "83", IDC_CURRENT_SCALE_LIST, "External ISET" },
        { press(IDC_ISET_EXTERNAL), 0x11, 0x86, "06", IDC_CURRENT_SCALE_LIST, "110 = 23mA" },
        // Ticked, the list's item goes to the field, not the register's old bits.
        { press(IDC_ISET_EXTERNAL), 0x11, 0x03, "86", IDC_CURRENT_SCALE_LIST, "External ISET", 0, true },
        { afterFailedClear(IDC_ISET_EXTERNAL, press(IDC_ISET_EXTERNAL)), 0x11, 0x85, "85", IDC_CURRENT_SCALE_LIST,
            "External ISET" },
        { pick(IDC_PWM_FREQUENCY_LIST, 2), 0x12, 0xFF, "3A", IDC_PWM_FREQUENCY_LIST, "14.6 kHz" },
        { pick(IDC_PWM_FREQUENCY_LIST, 4), 0x12, 0x3A, "3C", IDC_PWM_FREQUENCY_LIST, "24.4 kHz", 0, true },
        { pick(IDC_PWM_FREQUENCY_LIST, 2), 0x12, 0x3C, "3A", IDC_PWM_FREQUENCY_LIST, "14.6 kHz" },
        { press(IDC_PFSET_EXTERNAL), 0x12, 0x3A, "BA", IDC_PWM_FREQUENCY_LIST, "External PFSET" },
        { pick(IDC_PWM_FREQUENCY_LIST, 5), 0x12, 0xFA, "FD", IDC_PWM_FREQUENCY_LIST, "External PFSET" },
        { pick(IDC_PWM_FREQUENCY_LIST, 8), 0x12, 0xBD, "BD", IDC_PWM_FREQUENCY_LIST, "External PFSET" },
        { press(IDC_PFSET_EXTERNAL), 0x12, 0xBD, "3D", IDC_PWM_FREQUENCY_LIST, "29.3 kHz", 0, true },
        { pick(IDC_BOOST_COMP_LIST, 1), 0x13, 0x00, "02", IDC_BOOST_COMP_LIST, "BOOST COMP 1" },
        { pick(IDC_BOOST_COMP_LIST, 0), 0x13, 0x02, "00", IDC_BOOST_COMP_LIST, "BOOST COMP 0", 0, true },
        { pick(IDC_BOOST_COMP_LIST, 1), 0x13, 0x00, "02", IDC_BOOST_COMP_LIST, "BOOST COMP 1" },
        { pick(IDC_BOOST_FSET_LIST, 1), 0x13, 0x02, "03", IDC_BOOST_FSET_LIST, "1 MHz", 0, true },
        { pick(IDC_BOOST_FSET_LIST, 1), 0x13, 0x02, "03", IDC_BOOST_FSET_LIST, "1 MHz" },
        { press(IDC_BOOST_COMP_EXTERNAL), 0x13, 0x03, "43", IDC_BOOST_COMP_LIST, "External COMP set" },
        // With COMP external the choice is refused: the byte goes back unchanged.
        { pick(IDC_BOOST_COMP_LIST, 0), 0x13, 0x43, "43", IDC_BOOST_COMP_LIST, "External COMP set" },
        { pick(IDC_BOOST_FSET_LIST, 2), 0x13, 0x43, "C3", IDC_BOOST_FSET_LIST, "External FSET",
            IDC_BOOST_FSET_EXTERNAL },
        { press(IDC_BOOST_COMP_EXTERNAL), 0x13, 0xC3, "83", IDC_BOOST_COMP_LIST, "BOOST COMP 1", 0, true },
        // Cleared FSET External follows bit 0, as COMP External follows bit 1.
        { press(IDC_BOOST_FSET_EXTERNAL), 0x13, 0x80, "00", IDC_BOOST_FSET_LIST, "500 kHz" },
        { press(IDC_BOOST_FSET_EXTERNAL), 0x13, 0x01, "81", IDC_BOOST_FSET_LIST, "External FSET" },
        // Typing into FSET while it stands on its external item never sets bit 1.
        { afterFailedClear(IDC_BOOST_FSET_EXTERNAL, type(IDC_BOOST_FSET_LIST, "x")), 0x13, 0x81, "81",
            IDC_BOOST_FSET_LIST, "External FSET", IDC_BOOST_FSET_EXTERNAL },
        { press(IDC_BOOST_FSET_EXTERNAL), 0x13, 0x81, "01", IDC_BOOST_FSET_LIST, "1 MHz" },
        { pick(IDC_STEP_LIST, 1), 0x15, 0x40, "41", IDC_STEP_LIST, "50 ms", 0, true },
        { pick(IDC_STEP_LIST, 3), 0x15, 0x40, "43", IDC_STEP_LIST, "200 ms" },
        { pick(IDC_SMOOTHING_LIST, 2), 0x15, 0x03, "83", IDC_SMOOTHING_LIST, "Medium Smoothing" },
        // Typing runs the operation with the item the list still holds.
        { type(IDC_STEP_LIST, "z"), 0x15, 0x80, "83", IDC_STEP_LIST, "200 ms" },
        { type(IDC_SMOOTHING_LIST, "z"), 0x15, 0x00, "80", IDC_SMOOTHING_LIST, "Medium Smoothing" },
    };
    const std::map<int, int> cells { { 0x10, IDC_REG10 }, { 0x11, IDC_REG11 }, { 0x12, IDC_REG12 }, { 0x13, IDC_REG13 },
        { 0x15, IDC_REG15 } };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        SCOPED_TRACE(testing::Message() << "step " << i);
        ptx::sim::setRegister(s.reg, s.before);
        ptx::sim::clearTransactions();
        const std::string cellBefore = text(cells.at(s.reg));
        dialog->SetDlgItemText(IDC_STATUS, "Status");
        if (s.fails)
            ptx::sim::failNextWrites(1);
        s.input();
        EXPECT_EQ(accesses(),
            (std::vector<RegisterAccess> {
                readOf(s.reg, s.before), { Access::Write, s.reg, std::stoi(s.after, nullptr, 16), !s.fails } }));
        EXPECT_EQ(text(cells.at(s.reg)), s.fails ? cellBefore : s.after);
        EXPECT_EQ(shown(s.list), s.item);
        EXPECT_EQ(text(IDC_STATUS), "Status");
        if (s.ticked) {
            EXPECT_TRUE(ticked(s.ticked));
        }
    }
}

TEST_F(FieldSelectorsTest, TypingIntoTheOtherListsRunsNothing)
{
    open();
    load({});
    for (int id : { IDC_MODE_LIST, IDC_CURRENT_SCALE_LIST, IDC_PWM_FREQUENCY_LIST, IDC_BOOST_COMP_LIST })
        typeIntoList(id, "1");
    EXPECT_TRUE(accesses().empty());
}

// A list without a selection gives no field value, except to an External branch that does not use one.
TEST_F(FieldSelectorsTest, ListWithoutSelectionWritesOnlyWhereTheExternalBitDecides)
{
    // Readback All's reads up to register 0x15 fail, so no list gets a selection.
    ptx::sim::failNextReads(11);
    open();
    for (int id : { IDC_STEP_LIST, IDC_SMOOTHING_LIST, IDC_BOOST_FSET_LIST })
        ASSERT_EQ(selection(id), -1) << id;
    // The box keeps the user's tick although its own read fails.
    ptx::sim::failNextReads(1);
    click(IDC_BOOST_FSET_EXTERNAL);
    ptx::sim::setRegister(0x13, 0x02);
    ptx::sim::clearTransactions();

    typeIntoList(IDC_STEP_LIST, "5");
    typeIntoList(IDC_SMOOTHING_LIST, "5");
    typeIntoList(IDC_BOOST_FSET_LIST, "5");
    EXPECT_EQ(
        accesses(), (std::vector { readOf(0x15, 0x00), readOf(0x15, 0x00), readOf(0x13, 0x02), writeOf(0x13, 0x82) }));
    EXPECT_EQ(text(IDC_REG15), "");
    EXPECT_EQ(text(IDC_REG13), "82");
    EXPECT_EQ(selection(IDC_BOOST_FSET_LIST), 2);
}

// The list keeps the user's choice and the cell its text.
TEST_F(FieldSelectorsTest, FailedReadWritesNothing)
{
    open();
    load({});
    const std::vector<Input> inputs { pick(IDC_MODE_LIST, 3), pick(IDC_CURRENT_SCALE_LIST, 7), press(IDC_ISET_EXTERNAL),
        pick(IDC_PWM_FREQUENCY_LIST, 7), press(IDC_PFSET_EXTERNAL), pick(IDC_BOOST_FSET_LIST, 0),
        type(IDC_BOOST_FSET_LIST, "1"), pick(IDC_BOOST_COMP_LIST, 1), press(IDC_BOOST_FSET_EXTERNAL),
        press(IDC_BOOST_COMP_EXTERNAL), pick(IDC_STEP_LIST, 2), pick(IDC_SMOOTHING_LIST, 2) };
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        ptx::sim::failNextReads(1);
        ptx::sim::clearTransactions();
        inputs[i]();
        EXPECT_EQ(accesses().size(), 1u) << "input " << i;
        EXPECT_TRUE(writes().empty()) << "input " << i;
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
