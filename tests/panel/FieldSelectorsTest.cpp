// The seven lists and the four External boxes.
#include "EvalDialogFixture.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// What the user does, and the list that shows the field afterwards.
struct Input {
    std::function<void()> run;
    int list;
};

class FieldSelectorsTest : public EvalDialogFixture {
protected:
    Input pick(int list, int item) { return { std::bind(&FieldSelectorsTest::choose, this, list, item), list }; }
    Input type(int list, const char* typed)
    {
        return { std::bind(&FieldSelectorsTest::typeIntoList, this, list, typed), list };
    }
    Input press(int box)
    {
        static const std::map<int, int> lists { { IDC_ISET_EXTERNAL, IDC_CURRENT_SCALE_LIST },
            { IDC_PFSET_EXTERNAL, IDC_PWM_FREQUENCY_LIST }, { IDC_BOOST_FSET_EXTERNAL, IDC_BOOST_FSET_LIST },
            { IDC_BOOST_COMP_EXTERNAL, IDC_BOOST_COMP_LIST } };
        return { std::bind(&FieldSelectorsTest::click, this, box), lists.at(box) };
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
        int reg, before, written;
        std::string item; // what the list shows afterwards
        int ticked = 0; // a box the operation ticks
        Refused refused = Refused::Nothing; // the list shows the item above all the same
    };
    // Steps run in order: the External boxes carry over from one to the next.
    const std::vector<Step> steps {
        { pick(IDC_MODE_LIST, 2), 0x10, 0x87, 0x86, "PWM x Brt Hi/Lo Reg" },
        { pick(IDC_MODE_LIST, 1), 0x10, 0x86, 0x85, "Brightness Hi/Lo Reg", 0, Refused::Write },
        { pick(IDC_CURRENT_SCALE_LIST, 5), 0x11, 0x7E, 0x05, "101 = 20mA" },
        { pick(IDC_CURRENT_SCALE_LIST, 2), 0x11, 0x05, 0x02, "010 = 13mA", 0, Refused::Write },
        { pick(IDC_CURRENT_SCALE_LIST, 5), 0x11, 0x02, 0x05, "101 = 20mA" },
        { pick(IDC_CURRENT_SCALE_LIST, 8), 0x11, 0x05, 0x85, "External ISET", IDC_ISET_EXTERNAL },
        { pick(IDC_CURRENT_SCALE_LIST, 3), 0x11, 0x85, 0x83, "External ISET" },
        // The external item, chosen again or standing in the list when the box is ticked, keeps the field bits.
        { pick(IDC_CURRENT_SCALE_LIST, 8), 0x11, 0x83, 0x83, "External ISET" },
        { press(IDC_ISET_EXTERNAL), 0x11, 0x86, 0x06, "110 = 23mA" },
        // Ticked, the list's item goes to the field, not the register's old bits.
        { press(IDC_ISET_EXTERNAL), 0x11, 0x03, 0x86, "External ISET", 0, Refused::Write },
        // A click whose read fails clears the box while the list stays on the external item.
        { press(IDC_ISET_EXTERNAL), 0x11, 0x85, 0, "External ISET", 0, Refused::Read },
        { press(IDC_ISET_EXTERNAL), 0x11, 0x85, 0x85, "External ISET" },
        { pick(IDC_PWM_FREQUENCY_LIST, 2), 0x12, 0xFF, 0x3A, "14.6 kHz" },
        { pick(IDC_PWM_FREQUENCY_LIST, 4), 0x12, 0x3A, 0x3C, "24.4 kHz", 0, Refused::Write },
        { pick(IDC_PWM_FREQUENCY_LIST, 2), 0x12, 0x3C, 0x3A, "14.6 kHz" },
        { press(IDC_PFSET_EXTERNAL), 0x12, 0x3A, 0xBA, "External PFSET" },
        { pick(IDC_PWM_FREQUENCY_LIST, 5), 0x12, 0xFA, 0xFD, "External PFSET" },
        { pick(IDC_PWM_FREQUENCY_LIST, 8), 0x12, 0xBD, 0xBD, "External PFSET" },
        { press(IDC_PFSET_EXTERNAL), 0x12, 0xBD, 0x3D, "29.3 kHz", 0, Refused::Write },
        { pick(IDC_BOOST_COMP_LIST, 1), 0x13, 0x00, 0x02, "BOOST COMP 1" },
        { pick(IDC_BOOST_COMP_LIST, 0), 0x13, 0x02, 0x00, "BOOST COMP 0", 0, Refused::Write },
        { pick(IDC_BOOST_COMP_LIST, 1), 0x13, 0x00, 0x02, "BOOST COMP 1" },
        { pick(IDC_BOOST_FSET_LIST, 1), 0x13, 0x02, 0x03, "1 MHz", 0, Refused::Write },
        { pick(IDC_BOOST_FSET_LIST, 1), 0x13, 0x02, 0x03, "1 MHz" },
        { press(IDC_BOOST_COMP_EXTERNAL), 0x13, 0x03, 0x43, "External COMP set" },
        // With COMP external the choice is refused: the byte goes back unchanged.
        { pick(IDC_BOOST_COMP_LIST, 0), 0x13, 0x43, 0x43, "External COMP set" },
        { pick(IDC_BOOST_FSET_LIST, 2), 0x13, 0x43, 0xC3, "External FSET", IDC_BOOST_FSET_EXTERNAL },
        { press(IDC_BOOST_COMP_EXTERNAL), 0x13, 0xC3, 0x83, "BOOST COMP 1", 0, Refused::Write },
        // Cleared FSET External follows bit 0, as COMP External follows bit 1.
        { press(IDC_BOOST_FSET_EXTERNAL), 0x13, 0x80, 0x00, "500 kHz" },
        { press(IDC_BOOST_FSET_EXTERNAL), 0x13, 0x01, 0x81, "External FSET" },
        // Typing into FSET while it stands on its external item, the box cleared, never sets bit 1.
        { press(IDC_BOOST_FSET_EXTERNAL), 0x13, 0x81, 0, "External FSET", 0, Refused::Read },
        { type(IDC_BOOST_FSET_LIST, "x"), 0x13, 0x81, 0x81, "External FSET", IDC_BOOST_FSET_EXTERNAL },
        { press(IDC_BOOST_FSET_EXTERNAL), 0x13, 0x81, 0x01, "1 MHz" },
        { pick(IDC_STEP_LIST, 1), 0x15, 0x40, 0x41, "50 ms", 0, Refused::Write },
        { pick(IDC_STEP_LIST, 3), 0x15, 0x40, 0x43, "200 ms" },
        { pick(IDC_SMOOTHING_LIST, 2), 0x15, 0x03, 0x83, "Medium Smoothing" },
        // Typing runs the operation with the item the list still holds.
        { type(IDC_STEP_LIST, "z"), 0x15, 0x80, 0x83, "200 ms" },
        { type(IDC_SMOOTHING_LIST, "z"), 0x15, 0x00, 0x80, "Medium Smoothing" },
        // After a failed read nothing is written; the list keeps the user's choice and the box its mark.
        { pick(IDC_MODE_LIST, 3), 0x10, 0, 0, "Brt Hi/Lo Reg x PWM", 0, Refused::Read },
        { pick(IDC_CURRENT_SCALE_LIST, 7), 0x11, 0, 0, "111 = 25mA", 0, Refused::Read },
        { press(IDC_ISET_EXTERNAL), 0x11, 0, 0, "111 = 25mA", 0, Refused::Read },
        { pick(IDC_PWM_FREQUENCY_LIST, 7), 0x12, 0, 0, "39.1 kHz", 0, Refused::Read },
        { press(IDC_PFSET_EXTERNAL), 0x12, 0, 0, "39.1 kHz", IDC_PFSET_EXTERNAL, Refused::Read },
        { pick(IDC_BOOST_FSET_LIST, 0), 0x13, 0, 0, "500 kHz", 0, Refused::Read },
        { pick(IDC_BOOST_COMP_LIST, 1), 0x13, 0, 0, "BOOST COMP 1", 0, Refused::Read },
        { press(IDC_BOOST_FSET_EXTERNAL), 0x13, 0, 0, "500 kHz", IDC_BOOST_FSET_EXTERNAL, Refused::Read },
        { pick(IDC_STEP_LIST, 2), 0x15, 0, 0, "100 ms", 0, Refused::Read },
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        SCOPED_TRACE(testing::Message() << "step " << i);
        dialog->SetDlgItemText(IDC_STATUS, "Status");
        expectReadThenWrite(s.input.run, s.reg, s.before, s.written, s.refused);
        EXPECT_EQ(shown(s.input.list), s.item);
        EXPECT_EQ(text(IDC_STATUS), "Status");
        if (s.ticked) {
            EXPECT_TRUE(ticked(s.ticked));
        }
    }
}

// A list without a selection gives no field value, except to an External branch that does not use one.
TEST_F(FieldSelectorsTest, ListWithoutSelectionWritesOnlyWhereTheExternalBitDecides)
{
    // Readback All's reads up to register 0x15 fail, so no list gets a selection.
    ptx::sim::failNextReads(11);
    open();
    for (int id : { IDC_STEP_LIST, IDC_SMOOTHING_LIST, IDC_BOOST_FSET_LIST })
        ASSERT_EQ(selection(id), -1) << id;
    ptx::sim::setRegister(0x13, 0x02);
    ptx::sim::clearTransactions();
    for (int id : { IDC_STEP_LIST, IDC_SMOOTHING_LIST, IDC_BOOST_FSET_LIST })
        typeIntoList(id, "5");
    // The box keeps the user's tick although its own read fails.
    ptx::sim::failNextReads(1);
    click(IDC_BOOST_FSET_EXTERNAL);
    typeIntoList(IDC_BOOST_FSET_LIST, "5");
    EXPECT_EQ(accesses(),
        (std::vector { readOf(0x15, 0x00), readOf(0x15, 0x00), readOf(0x13, 0x02),
            RegisterAccess { Access::Read, 0x13, -1, false }, readOf(0x13, 0x02), writeOf(0x13, 0x82) }));
    EXPECT_EQ(text(IDC_REG15), "");
    EXPECT_EQ(text(IDC_REG13), "82");
    EXPECT_EQ(selection(IDC_BOOST_FSET_LIST), 2);
}

} // namespace
