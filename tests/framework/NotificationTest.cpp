#include "TestDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Received = std::vector<std::pair<NotifyCode, int>>;

class Notifications : public testing::Test {
protected:
    void SetUp() override
    {
        dialog.Create();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.window()));
        QApplication::processEvents();
        dialog.received.clear();
        dialog.handled.clear();
    }

    TestDialog dialog;
};

} // namespace

TEST_F(Notifications, ButtonsNotifyForClicksAndSpaceOnlyAndTheFirstTableEntryWins)
{
    QTest::mouseClick(dialog.button(IDC_GO), Qt::LeftButton);
    EXPECT_EQ(dialog.handled, std::vector<std::string> { "go first" });

    QCheckBox* box = dialog.checkBox(IDC_EARLY);
    QTest::mouseClick(box, Qt::LeftButton);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->isChecked());
    box->setChecked(true);
    EXPECT_EQ(
        dialog.received, (Received { { BN_CLICKED, IDC_GO }, { BN_CLICKED, IDC_EARLY }, { BN_CLICKED, IDC_EARLY } }));
}

TEST_F(Notifications, ListsNotifyForTheUsersChoiceOnlyAlsoOfTheSameItem)
{
    QComboBox* list = dialog.combo(IDC_LIST);
    EXPECT_EQ(dialog.list.SetCurSel(1), 1);
    EXPECT_EQ(list->currentText(), QStringLiteral("Beta"));
    EXPECT_TRUE(dialog.received.empty());

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(dialog.list.GetCurSel(), 2);
    EXPECT_EQ(dialog.count(CBN_SELCHANGE, IDC_LIST), 1u);

    list->showPopup();
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_EQ(dialog.list.GetCurSel(), 2);
    EXPECT_EQ(dialog.count(CBN_SELCHANGE, IDC_LIST), 2u);
    EXPECT_EQ(dialog.handled, (std::vector<std::string> { "select", "select" }));
}

TEST_F(Notifications, TextChangesNotifyForTypingAndPastingOnly)
{
    QLineEdit* edit = dialog.edit(IDC_EDIT);
    QTest::keyClicks(edit, "12");
    QApplication::clipboard()->setText(QStringLiteral("77"));
    QTest::keySequence(edit, QKeySequence::Paste);
    EXPECT_EQ(edit->text(), QStringLiteral("1277"));
    EXPECT_EQ(dialog.count(EN_UPDATE, IDC_EDIT), 3u);

    dialog.SetDlgItemText(IDC_EDIT, "AB");
    dialog.editText = "CD";
    dialog.UpdateData(false);
    EXPECT_EQ(edit->text(), QStringLiteral("CD"));
    EXPECT_EQ(dialog.count(EN_UPDATE, IDC_EDIT), 3u);

    QComboBox* list = dialog.combo(IDC_LIST);
    QTest::keyClicks(list, "Be");
    EXPECT_EQ(dialog.count(CBN_EDITCHANGE, IDC_LIST), 2u);
    dialog.list.SetWindowText("Gamma");
    EXPECT_EQ(list->currentText(), QStringLiteral("Gamma"));
    EXPECT_EQ(dialog.count(CBN_EDITCHANGE, IDC_LIST), 2u);
    EXPECT_EQ(dialog.count(CBN_SELCHANGE, IDC_LIST), 0u);
}

TEST_F(Notifications, TypingIntoAListNeitherCompletesNorInsertsNorSelects)
{
    QComboBox* list = dialog.combo(IDC_LIST);
    list->setFocus();
    QTest::keyClicks(list, "G");
    EXPECT_EQ(list->currentText(), QStringLiteral("G"));
    QTest::keyClicks(list, "amma");
    EXPECT_EQ(dialog.list.GetCurSel(), CB_ERR);
    // Leaving the field, also with a text that names an item, chooses nothing.
    dialog.edit(IDC_EDIT)->setFocus();
    EXPECT_EQ(dialog.list.GetCurSel(), CB_ERR);
    EXPECT_EQ(dialog.count(CBN_SELCHANGE, IDC_LIST), 0u);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Backspace);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(dialog.list.GetCount(), 3);
    EXPECT_EQ(dialog.list.GetLBText(0), "Alpha");
    EXPECT_EQ(dialog.list.GetLBText(2), "Gamma");
}

TEST_F(Notifications, SliderNotifiesAtTheStartOfEveryPaint)
{
    QSlider* slider = dialog.sliderWidget();
    slider->repaint();
    slider->repaint();
    EXPECT_EQ(dialog.count(NM_CUSTOMDRAW, IDC_SLIDER), 2u);

    // Setting the position redraws even when the thumb does not move.
    dialog.slider.SetPos(dialog.slider.GetPos());
    QTest::qWait(20);
    EXPECT_EQ(dialog.count(NM_CUSTOMDRAW, IDC_SLIDER), 3u);
}

TEST_F(Notifications, NotificationsRaisedDuringDataExchangeAreDiscarded)
{
    dialog.duringExchange = [this](bool saving) {
        if (saving)
            return;
        QTest::mouseClick(dialog.checkBox(IDC_EARLY), Qt::LeftButton);
        QTest::keyClicks(dialog.edit(IDC_EDIT), "x");
        dialog.combo(IDC_LIST)->setFocus();
        QTest::keyClick(dialog.combo(IDC_LIST), Qt::Key_Down);
        dialog.sliderWidget()->repaint();
        dialog.list.SetCurSel(1);
    };
    dialog.UpdateData(false);
    dialog.UpdateData(true);
    EXPECT_TRUE(dialog.received.empty());
    // The changes themselves happened: only their notifications were dropped.
    EXPECT_EQ(dialog.early, 1);
    EXPECT_EQ(dialog.editText, "x");
    EXPECT_EQ(dialog.list.GetCurSel(), 1);

    // A handler that shows the model from inside a notification raises nothing further.
    dialog.duringExchange = nullptr;
    dialog.early = 0;
    QTest::mouseClick(dialog.checkBox(IDC_LATE), Qt::LeftButton);
    EXPECT_EQ(dialog.received, (Received { { BN_CLICKED, IDC_LATE } }));
    EXPECT_EQ(dialog.handled, std::vector<std::string> { "late" });
    EXPECT_TRUE(dialog.checkBox(IDC_EARLY)->isChecked());
}
