#include "TestDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <array>

#include <gtest/gtest.h>

namespace {

void show(CDialog& dialog)
{
    dialog.Create();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.window()));
}

// Types into the edit, then presses `key` on control `target`.
void typeThenPress(TestDialog& dialog, int target, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QTest::keyClicks(dialog.edit(IDC_EDIT), "typed");
    QWidget* widget = dialog.controlWidget(target);
    widget->setFocus();
    QTest::keyClick(widget, key, modifiers);
}

constexpr std::array<ControlTemplate, 2> aboutControls { {
    { IDC_EDIT, ControlKind::Edit, "", { 10, 10, 60, 14 } },
    { IDOK, ControlKind::PushButton, "OK", { 80, 10, 50, 14 }, StyleDefaultButton },
} };
constexpr DialogTemplate aboutTemplate { 901, "About", 140, 40, aboutControls };

} // namespace

TEST(Keyboard, EnterClicksTheFocusedPushButtonAndThereIsNoDefaultButton)
{
    TestDialog dialog;
    show(dialog);
    for (QPushButton* button : dialog.window()->findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
    }
    typeThenPress(dialog, IDC_GO, Qt::Key_Return);
    typeThenPress(dialog, IDC_GO, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(dialog.count(BN_CLICKED, IDC_GO), 2u);
    EXPECT_TRUE(dialog.window()->isVisible());
    EXPECT_EQ(dialog.editText, "");
}

TEST(Keyboard, EnterAnywhereElseGathersAndEndsWithOk)
{
    for (int target : { IDC_EDIT, IDC_EARLY, IDC_LIST, IDC_READ_ONLY, IDC_SLIDER }) {
        for (Qt::Key key : { Qt::Key_Return, Qt::Key_Enter }) {
            TestDialog dialog;
            show(dialog);
            typeThenPress(dialog, target, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
            EXPECT_FALSE(dialog.window()->isVisible()) << "control " << target;
            EXPECT_EQ(dialog.window()->result(), IDOK) << "control " << target;
            EXPECT_EQ(dialog.editText, "typed") << "control " << target;
            EXPECT_EQ(dialog.count(CBN_SELCHANGE, IDC_LIST), 0u);
        }
    }
}

TEST(Keyboard, EnterInAListsFieldEndsTheDialogWithoutChoosingTheMatchingItem)
{
    TestDialog dialog;
    show(dialog);
    QComboBox* list = dialog.combo(IDC_LIST);
    list->setFocus();
    QTest::keyClicks(list, "Beta");
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(dialog.window()->result(), IDOK);
    EXPECT_EQ(dialog.count(CBN_SELCHANGE, IDC_LIST), 0u);
    EXPECT_EQ(dialog.list.GetCurSel(), CB_ERR);
}

TEST(Keyboard, EscapeTheCloseBoxAndExitEndWithCancelWithoutGathering)
{
    const auto ways = std::array<void (*)(TestDialog&), 3> {
        [](TestDialog& d) { typeThenPress(d, IDC_EDIT, Qt::Key_Escape); },
        [](TestDialog& d) { typeThenPress(d, IDC_LIST, Qt::Key_Escape); },
        [](TestDialog& d) {
            QTest::keyClicks(d.edit(IDC_EDIT), "typed");
            d.window()->close();
        },
    };
    for (const auto& endIt : ways) {
        TestDialog dialog;
        show(dialog);
        endIt(dialog);
        EXPECT_FALSE(dialog.window()->isVisible());
        EXPECT_EQ(dialog.window()->result(), IDCANCEL);
        EXPECT_EQ(dialog.editText, "");
    }
    TestDialog dialog;
    show(dialog);
    QTest::keyClicks(dialog.edit(IDC_EDIT), "typed");
    QTest::mouseClick(dialog.button(IDCANCEL), Qt::LeftButton);
    EXPECT_EQ(dialog.window()->result(), IDCANCEL);
    EXPECT_EQ(dialog.editText, "");
}

TEST(Keyboard, TheDefaultButtonTakesEnterWhereverTheFocusIs)
{
    for (int target : { int { IDC_EDIT }, IDOK }) {
        CDialog about(aboutTemplate);
        show(about);
        about.controlWidget(target)->setFocus();
        QTest::keyClick(about.controlWidget(target), Qt::Key_Return);
        EXPECT_FALSE(about.window()->isVisible());
        EXPECT_EQ(about.window()->result(), IDOK);
    }
    CDialog about(aboutTemplate);
    show(about);
    about.controlWidget(IDOK)->setFocus();
    QTest::keyClick(about.controlWidget(IDOK), Qt::Key_Space);
    EXPECT_EQ(about.window()->result(), IDOK);
}
