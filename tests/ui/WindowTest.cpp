// The main window as built from its template: tab order and chrome.
#include "EvalDialogFixture.h"

#include "res/EvalDialogTemplate.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <vector>

using WindowTest = EvalDialogFixture;

TEST_F(WindowTest, TabOrderIsTheCreationOrderAndFocusStartsOnExit)
{
    open();
    using enum ControlKind;
    std::vector<QWidget*> expected;
    for (const ControlTemplate& c : evalDialogTemplate.controls) {
        if (c.kind != Text && c.kind != Picture && c.kind != Icon && c.kind != GroupBox)
            expected.push_back(dialog->controlWidget(c.id));
    }
    ASSERT_EQ(expected.size(), 53u);
    EXPECT_EQ(QApplication::focusWidget(), dialog->controlWidget(IDC_EXIT));
    QWidget* current = expected.front();
    for (std::size_t i = 1; i < expected.size(); ++i) {
        current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus || current->focusProxy())
            current = current->nextInFocusChain();
        EXPECT_EQ(current, expected[i]) << "tab stop " << i;
    }
}

TEST_F(WindowTest, ContextMenuEndsWithAboutEntryThatOpensTheAboutBox)
{
    open();
    QMenu* menu = dialog->popupSystemMenu(dialog->window()->mapToGlobal(QPoint(5, 5)));
    QStringList entries;
    for (const QAction* action : menu->actions())
        entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(entries, QStringList({ "Close", "-", "&About KV3124..." }));

    // The About box is modal over the main window.
    QStringList shown;
    QTimer::singleShot(50, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        shown << box->windowTitle();
        for (auto* label : box->findChildren<QLabel*>())
            shown << label->text();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    menu->actions().back()->trigger();
    EXPECT_EQ(shown, QStringList({ "About KV3124", "", "KV3124 Version 1.2" }));
    EXPECT_TRUE(dialog->window()->isVisible()) << "closing the About box leaves the main window open";
}
