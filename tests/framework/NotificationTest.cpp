// Which user actions reach the event table, and data exchange, which raises none.
#include "TestDialog.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QSignalSpy>

namespace {
class Notifications : public ShownDialog { };
class DataExchange : public ShownDialog { };
using Received = std::vector<std::pair<NotifyCode, int>>;
} // namespace

TEST_F(Notifications, OnlyTheUsersActionsNotifyAndTheFirstTableEntryWins)
{
    // A click or Space on a button, never a mark the program sets.
    QTest::mouseClick(dialog.get<QPushButton>(IDC_GO), Qt::LeftButton);
    QCheckBox* box = dialog.get<QCheckBox>(IDC_EARLY);
    QTest::mouseClick(box, Qt::LeftButton);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->isChecked());
    box->setChecked(true);
    // The choice of a list item, also of the one already chosen, never SetCurSel.
    dialog.list.SetCurSel(1);
    QComboBox* list = dialog.get<QComboBox>(IDC_LIST);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    list->showPopup();
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_EQ(dialog.list.GetCurSel(), 2);
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
    EXPECT_EQ(dialog.handled, std::vector<std::string> { "go first" });
}

TEST(Lists, TypingNeitherCompletesNorInsertsNorChoosesAnItem)
{
    for (const char* typed : { "Gamma", "Gamm" }) {
        SCOPED_TRACE(typed);
        TestDialog dialog;
        show(dialog);
        QComboBox* list = dialog.get<QComboBox>(IDC_LIST);
        list->setFocus();
        QTest::keyClicks(list, typed);
        EXPECT_EQ(list->currentText(), QString::fromLatin1(typed));
        // Neither leaving the field nor Enter, which ends the dialog, chooses the item the text names.
        dialog.controlWidget(IDC_EDIT)->setFocus();
        EXPECT_EQ(dialog.list.GetCurSel(), CB_ERR);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(dialog.window()->result(), IDOK);
        EXPECT_EQ(dialog.list.GetCurSel(), CB_ERR);
        EXPECT_EQ(dialog.count(CBN_SELCHANGE, IDC_LIST), 0);
        EXPECT_EQ(dialog.list.GetCount(), 3);
    }
}

TEST_F(Notifications, SliderAtTheStartOfEveryPaint)
{
    dialog.get<QSlider>(IDC_SLIDER)->repaint();
    dialog.get<QSlider>(IDC_SLIDER)->repaint();
    EXPECT_EQ(dialog.count(NM_CUSTOMDRAW, IDC_SLIDER), 2);
    // Setting the position redraws even when the thumb does not move.
    dialog.slider.SetPos(dialog.slider.GetPos());
    QTest::qWait(20);
    EXPECT_EQ(dialog.count(NM_CUSTOMDRAW, IDC_SLIDER), 3);
}

TEST_F(Notifications, NoneWhileDataExchangeRunsAlsoFromInsideAHandler)
{
    dialog.duringExchange = [this](bool saving) {
        if (saving)
            return;
        QTest::mouseClick(dialog.get<QCheckBox>(IDC_EARLY), Qt::LeftButton);
        QTest::keyClicks(dialog.controlWidget(IDC_EDIT), "x");
        dialog.controlWidget(IDC_LIST)->setFocus();
        QTest::keyClick(dialog.controlWidget(IDC_LIST), Qt::Key_Down);
        dialog.get<QSlider>(IDC_SLIDER)->repaint();
    };
    dialog.UpdateData(false);
    dialog.UpdateData(true);
    EXPECT_TRUE(dialog.received.empty());
    // The changes themselves happened: only their notifications were dropped.
    EXPECT_EQ(dialog.early, 1);
    EXPECT_EQ(dialog.editText, "x");
    EXPECT_EQ(dialog.list.GetCurSel(), 0);

    // The Late handler checks Early through UpdateData(false).
    dialog.duringExchange = nullptr;
    dialog.early = 0;
    QTest::mouseClick(dialog.get<QCheckBox>(IDC_LATE), Qt::LeftButton);
    EXPECT_EQ(dialog.received, (Received { { BN_CLICKED, IDC_LATE } }));
    EXPECT_TRUE(dialog.get<QCheckBox>(IDC_EARLY)->isChecked());
}

TEST_F(DataExchange, GatherAndShowTextsAndMarksLeavingAnEqualTextUntouched)
{
    auto* edit = dialog.get<QLineEdit>(IDC_EDIT);
    QTest::keyClicks(edit, "abc");
    edit->setCursorPosition(1);
    dialog.get<QCheckBox>(IDC_LATE)->setChecked(true);
    dialog.UpdateData(true);
    EXPECT_EQ(dialog.editText, "abc");
    EXPECT_EQ(std::pair(dialog.early, dialog.late), std::pair(0, 1));

    QSignalSpy changes(edit, &QLineEdit::textChanged);
    dialog.early = 1;
    dialog.late = 0;
    dialog.UpdateData(false);
    EXPECT_TRUE(dialog.get<QCheckBox>(IDC_EARLY)->isChecked());
    EXPECT_FALSE(dialog.get<QCheckBox>(IDC_LATE)->isChecked());
    EXPECT_EQ(changes.count(), 0) << "an equal text is not set again";
    EXPECT_EQ(edit->cursorPosition(), 1);
    dialog.editText = "abd";
    dialog.UpdateData(false);
    EXPECT_EQ(edit->text(), QStringLiteral("abd"));
}
