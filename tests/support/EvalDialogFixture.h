// The real main dialog on a freshly reset simulated board, driven by keyboard and mouse.
#pragma once

#include "adapter/AdapterConnectionTesting.h"
#include "ptx/ptx.h"
#include "ptx/sim/SimulatorControl.h"
#include "res/ResourceIds.h"
#include "ui/EvalDialog.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using ptx::sim::Access;
using ptx::sim::RegisterAccess;

inline RegisterAccess readOf(int reg, int value)
{
    return { Access::Read, reg, value };
}
inline RegisterAccess writeOf(int reg, int value, bool taken = true)
{
    return { Access::Write, reg, value, taken };
}
// A byte as the read-back cells show it.
inline std::string hex(int byte)
{
    return QString::asprintf("%02X", byte).toStdString();
}

class EvalDialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ptxSelectBackend("sim");
        ptx::sim::reset();
        adapterResetForTests();
    }

    void TearDown() override { dialog.reset(); }

    // Builds and shows the dialog; OnInitDialog has run, the first paint has not.
    void create()
    {
        dialog = std::make_unique<EvalDialog>(true);
        dialog->Create();
    }

    // Builds and shows the dialog and lets its first paint run.
    void open()
    {
        create();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog->window()));
        settle();
    }

    // Puts bytes into the chip and lets Readback All bring the window in line; the log starts empty after.
    void load(std::initializer_list<std::pair<int, int>> registers)
    {
        for (const auto& [reg, value] : registers)
            ptx::sim::setRegister(reg, value);
        click(IDC_READBACK_ALL);
        settle();
        ptx::sim::clearTransactions();
    }

    // Runs what the event loop has pending, paints included.
    static void settle() { QTest::qWait(50); }

    template <class Widget> Widget* control(int id) const
    {
        auto* widget = qobject_cast<Widget*>(dialog->controlWidget(id));
        EXPECT_NE(widget, nullptr) << "control " << id;
        return widget;
    }

    std::string text(int id) const { return dialog->GetDlgItemText(id); }
    bool ticked(int id) const { return control<QCheckBox>(id)->isChecked(); }
    int selection(int id) const { return control<QComboBox>(id)->currentIndex(); }
    int sliderPosition() const { return control<QSlider>(IDC_BRIGHTNESS_SLIDER)->value(); }

    void click(int id) const { QTest::mouseClick(dialog->controlWidget(id), Qt::LeftButton); }
    void pressSpace(int id) const
    {
        QWidget* widget = dialog->controlWidget(id);
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Space);
    }

    // Opens the list with F4, walks to the item with the arrow keys and takes it with Return.
    void choose(int id, int index) const
    {
        auto* list = control<QComboBox>(id);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_F4);
        QAbstractItemView* view = list->view();
        ASSERT_TRUE(view->isVisible()) << "list " << id << " did not drop down";
        QTest::keyClick(view, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Return);
    }

    // Selects the field's text and types over it, one keystroke at a time; typing nothing deletes it.
    void typeOver(QLineEdit* field, const char* typed) const
    {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        if (*typed == '\0')
            QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, typed);
    }
    void typeOver(int id, const char* typed) const { typeOver(control<QLineEdit>(id), typed); }
    void typeIntoList(int id, const char* typed) const { typeOver(control<QComboBox>(id)->lineEdit(), typed); }

    static std::vector<RegisterAccess> accesses() { return ptx::sim::registerAccesses(); }
    static std::vector<RegisterAccess> writes() { return ptx::sim::registerAccesses(Access::Write); }

    enum class Refused { Nothing, Write, Read };

    // With `reg` holding `before`, `input` and what it repaints must read the register once and write `written` back,
    // nothing else, and no write after a failed read; the register's cell shows only a byte the chip took.
    void expectReadThenWrite(
        const std::function<void()>& input, int reg, int before, int written, Refused refused = Refused::Nothing)
    {
        static const std::map<int, int> cells { { 0x00, IDC_REG00 }, { 0x10, IDC_REG10 }, { 0x11, IDC_REG11 },
            { 0x12, IDC_REG12 }, { 0x13, IDC_REG13 }, { 0x14, IDC_REG14 }, { 0x15, IDC_REG15 } };
        ptx::sim::setRegister(reg, before);
        ptx::sim::clearTransactions();
        const std::string cellBefore = text(cells.at(reg));
        if (refused == Refused::Read)
            ptx::sim::failNextReads(1);
        if (refused == Refused::Write)
            ptx::sim::failNextWrites(1);
        input();
        settle();
        const auto expected = refused == Refused::Read
            ? std::vector { RegisterAccess { Access::Read, reg, -1, false } }
            : std::vector { readOf(reg, before), writeOf(reg, written, refused == Refused::Nothing) };
        EXPECT_EQ(accesses(), expected);
        EXPECT_EQ(text(cells.at(reg)), refused == Refused::Nothing ? hex(written) : cellBefore);
    }

    std::unique_ptr<EvalDialog> dialog;
};
