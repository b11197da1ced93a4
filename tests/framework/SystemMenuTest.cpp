#include "TestDialog.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr unsigned aboutCommand = 0x0010;

QStringList texts(const QMenu& menu)
{
    QStringList result;
    for (const QAction* action : menu.actions())
        result << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return result;
}

} // namespace

TEST(SystemMenu, CloseComesFirstThenTheAppendedItemsEachRunningOnSysCommand)
{
    TestDialog dialog;
    dialog.Create();
    dialog.GetSystemMenu()->AppendMenu(MF_SEPARATOR);
    dialog.GetSystemMenu()->AppendMenu(MF_STRING, aboutCommand, "&About Test...");

    QMenu* menu = dialog.popupSystemMenu(dialog.window()->mapToGlobal(QPoint(5, 5)));
    EXPECT_EQ(texts(*menu), (QStringList { "Close", "-", "&About Test..." }));
    menu->actions().at(2)->trigger();
    EXPECT_EQ(dialog.sysCommands, std::vector<unsigned> { aboutCommand });
    EXPECT_TRUE(dialog.window()->isVisible());

    menu->actions().at(0)->trigger();
    EXPECT_EQ(dialog.sysCommands, (std::vector<unsigned> { aboutCommand, SC_CLOSE }));
    EXPECT_FALSE(dialog.window()->isVisible());
    EXPECT_EQ(dialog.window()->result(), IDCANCEL);
}

TEST(SystemMenu, OpensOnARightClickOnTheBackgroundOnly)
{
    TestDialog dialog;
    dialog.Create();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.window()));
    userClick(*dialog.button(IDC_GO), Qt::RightButton);
    EXPECT_EQ(dialog.window()->findChild<QMenu*>(QStringLiteral("systemMenu")), nullptr);

    // The dialog's own background, and the inside of a group box, which is background too.
    const auto* group = dialog.window()->findChild<QGroupBox*>();
    for (QPoint background : { QPoint(dialog.window()->width() - 3, dialog.window()->height() - 3),
             group->geometry().bottomRight() - QPoint(5, 5) }) {
        ASSERT_EQ(dialog.window()->childAt(background), nullptr);
        QTest::mouseClick(dialog.window()->windowHandle(), Qt::RightButton, {}, background);
        auto* menu = dialog.window()->findChild<QMenu*>(QStringLiteral("systemMenu"));
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->isVisible());
        menu->close();
        QApplication::processEvents();
    }
}

TEST(SystemMenu, TheWindowIconComesFromTheIconResource)
{
    TestDialog dialog;
    dialog.Create();
    EXPECT_TRUE(dialog.window()->windowIcon().isNull());
    dialog.SetIcon(testIconId, true);
    EXPECT_EQ(dialog.window()->windowIcon().pixmap(32).toImage().pixelColor(0, 0), QColor(Qt::blue));
}
