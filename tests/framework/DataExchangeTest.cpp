#include "TestDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

TEST(DataExchange, ShowLeavesATextThatAlreadyMatchesUntouched)
{
    TestDialog dialog;
    dialog.Create();
    QLineEdit* edit = dialog.edit(IDC_EDIT);
    edit->setText(QStringLiteral("abc"));
    edit->setCursorPosition(1);
    QSignalSpy changes(edit, &QLineEdit::textChanged);

    dialog.editText = "abc";
    dialog.UpdateData(false);
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(edit->cursorPosition(), 1);

    dialog.editText = "abd";
    dialog.UpdateData(false);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(edit->text(), QStringLiteral("abd"));
}

TEST(DataExchange, GatherTakesTextsAndMarksAndShowPutsThemBack)
{
    TestDialog dialog;
    dialog.Create();
    QTest::keyClicks(dialog.edit(IDC_EDIT), "1F");
    dialog.checkBox(IDC_LATE)->setChecked(true);
    dialog.edit(IDC_READ_ONLY)->setText(QStringLiteral("A5"));

    dialog.UpdateData(true);
    EXPECT_EQ(dialog.editText, "1F");
    EXPECT_EQ(dialog.readOnlyText, "A5");
    EXPECT_EQ(dialog.early, 0);
    EXPECT_EQ(dialog.late, 1);

    dialog.early = 1;
    dialog.late = 0;
    dialog.readOnlyText = "0C";
    dialog.UpdateData(false);
    EXPECT_TRUE(dialog.checkBox(IDC_EARLY)->isChecked());
    EXPECT_FALSE(dialog.checkBox(IDC_LATE)->isChecked());
    EXPECT_EQ(dialog.edit(IDC_READ_ONLY)->text(), QStringLiteral("0C"));
    EXPECT_EQ(dialog.edit(IDC_EDIT)->text(), QStringLiteral("1F"));
}
