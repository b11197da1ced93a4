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

#include <memory>
#include <string>

class EvalDialogFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ptxSelectBackend("sim");
        ptx::sim::reset();
        adapterResetForTests();
    }

    void TearDown() override { dialog.reset(); }

    // Builds and shows the dialog and lets its first paint run.
    void open()
    {
        dialog = std::make_unique<EvalDialog>(true);
        dialog->Create();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog->window()));
        settle();
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

    void click(int id) const { QTest::mouseClick(dialog->controlWidget(id), Qt::LeftButton); }

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

    std::unique_ptr<EvalDialog> dialog;
};
