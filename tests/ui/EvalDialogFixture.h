// The real main dialog on a freshly reset simulated board.
#pragma once

#include "adapter/AdapterConnectionTesting.h"
#include "ptx/ptx.h"
#include "ptx/sim/SimulatorControl.h"
#include "ui/EvalDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
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

    // Builds and shows the dialog; OnInitDialog has run when this returns, the first paint may not have.
    void open()
    {
        dialog = std::make_unique<EvalDialog>(true);
        dialog->Create();
    }

    void waitUntilShown() { ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog->window())); }

    template <class Widget> Widget* control(int id) const
    {
        auto* widget = qobject_cast<Widget*>(dialog->controlWidget(id));
        EXPECT_NE(widget, nullptr) << "control " << id;
        return widget;
    }

    std::string text(int id) const { return dialog->GetDlgItemText(id); }
    bool ticked(int id) const { return control<QCheckBox>(id)->isChecked(); }
    int selection(int id) const { return control<QComboBox>(id)->currentIndex(); }

    void click(int id) const { QTest::mouseClick(dialog->controlWidget(id), Qt::LeftButton); }

    std::unique_ptr<EvalDialog> dialog;
};
