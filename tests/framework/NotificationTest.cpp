// Which user actions reach the event table, and data exchange, which raises none.
#include "TestDialog.h"

#include <QAbstractItemView>
#include <QClipboard>

using Received = std::vector<std::pair<NotifyCode, int>>;

TEST_F(ShownDialog, OnlyTheUsersActionsNotifyAndTheFirstTableEntryWins)
{
    // A click or Space on a button, also inside a group box created before it, never a mark the program sets.
    userClick(*dialog.get<QPushButton>(IDC_GO));
    QCheckBox* box = dialog.get<QCheckBox>(IDC_EARLY);
    userClick(*box);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    box->setChecked(true);
    // The choice of a list item, also of the one already chosen, never SetCurSel.
    dialog.list.SetCurSel(1);
    QComboBox* list = dialog.get<QComboBox>(IDC_LIST);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    list->showPopup();
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_EQ(dialog.list.GetCurSel(), 2);
    dialog.list.SetCurSel(CB_ERR);
    // Typing and pasting, never a text the program sets.
    QApplication::clipboard()->setText(QStringLiteral("7"));
    for (int id : { IDC_EDIT, IDC_LIST }) {
        dialog.SetDlgItemText(id, "");
        dialog.controlWidget(id)->setFocus();
        QTest::keyClicks(dialog.controlWidget(id), "1");
        QTest::keySequence(dialog.controlWidget(id), QKeySequence::Paste);
        EXPECT_EQ(dialog.GetDlgItemText(id), "17");
        dialog.SetDlgItemText(id, "AB");
    }
    EXPECT_EQ(dialog.received,
        (Received { { BN_CLICKED, IDC_GO }, { BN_CLICKED, IDC_EARLY }, { BN_CLICKED, IDC_EARLY },
            { CBN_SELCHANGE, IDC_LIST }, { CBN_SELCHANGE, IDC_LIST }, { EN_UPDATE, IDC_EDIT }, { EN_UPDATE, IDC_EDIT },
            { CBN_EDITCHANGE, IDC_LIST }, { CBN_EDITCHANGE, IDC_LIST } }));
    EXPECT_EQ(dialog.goHandled, 1);
}

TEST_F(ShownDialog, TypingInAListNeitherCompletesNorInsertsNorChoosesAnItem)
{
    QComboBox* list = dialog.get<QComboBox>(IDC_LIST);
    list->setFocus();
    QTest::keyClicks(list, "Gamm");
    EXPECT_EQ(list->currentText(), QStringLiteral("Gamm"));
    // Neither leaving the field nor Enter, which ends the dialog, chooses the item the text names.
    QTest::keyClick(list, Qt::Key_A);
    dialog.controlWidget(IDC_EDIT)->setFocus();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(dialog.window()->result(), IDOK);
    EXPECT_EQ(std::pair(dialog.list.GetCurSel(), dialog.list.GetCount()), std::pair(CB_ERR, 3));
    EXPECT_EQ(dialog.count(CBN_SELCHANGE, IDC_LIST), 0);
}

TEST_F(ShownDialog, SliderNotifiesAtTheStartOfEveryPaintAndAnIdleWindowStopsPainting)
{
    dialog.get<QSlider>(IDC_SLIDER)->repaint();
    dialog.get<QSlider>(IDC_SLIDER)->repaint();
    EXPECT_EQ(dialog.count(NM_CUSTOMDRAW, IDC_SLIDER), 2);
    // Setting the position redraws even when the thumb does not move.
    dialog.slider.SetPos(dialog.slider.GetPos());
    QTest::qWait(20);
    EXPECT_EQ(dialog.count(NM_CUSTOMDRAW, IDC_SLIDER), 3);
    // Each paint writes the text the edit over the slider already shows: that must not paint again.
    QTest::qWait(100);
    EXPECT_EQ(dialog.count(NM_CUSTOMDRAW, IDC_SLIDER), 3);
}

TEST_F(ShownDialog, DataExchangeRaisesNoNotificationAndLeavesAnEqualTextUntouched)
{
    // What the user could do while the model is shown reaches the controls but not the event table.
    dialog.duringExchange = [this](bool saving) {
        if (saving)
            return;
        dialog.UpdateData(true); // a nested exchange must not end the outer one's silence
        userClick(*dialog.get<QCheckBox>(IDC_EARLY));
        QTest::keyClicks(dialog.controlWidget(IDC_EDIT), "x");
        dialog.controlWidget(IDC_LIST)->setFocus();
        QTest::keyClick(dialog.controlWidget(IDC_LIST), Qt::Key_Down);
        dialog.get<QSlider>(IDC_SLIDER)->repaint();
    };
    dialog.UpdateData(false);
    dialog.UpdateData(true);
    EXPECT_TRUE(dialog.received.empty());
    EXPECT_EQ(std::tuple(dialog.early, dialog.editText, dialog.list.GetCurSel()), std::tuple(1, "x", 0));

    // Showing again leaves an equal text untouched, which would move the cursor and repaint, and sets a new one.
    dialog.duringExchange = nullptr;
    auto* edit = dialog.get<QLineEdit>(IDC_EDIT);
    edit->setCursorPosition(0);
    dialog.UpdateData(false);
    EXPECT_EQ(edit->cursorPosition(), 0);
    dialog.editText = "abd";
    dialog.UpdateData(false);
    EXPECT_EQ(edit->text(), QStringLiteral("abd"));
}
