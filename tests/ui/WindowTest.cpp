// The main window as built from its template: controls, tab order, event table, chrome.
#include "EvalDialogFixture.h"

#include "res/EvalDialogTemplate.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <set>
#include <utility>
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

TEST_F(WindowTest, EveryEventHasExactlyOneEntryAndTheStatusBoxesNone)
{
    std::set<std::pair<int, int>> expected;
    for (int id : { IDC_LED1, IDC_LED2, IDC_LED3, IDC_LED4, IDC_LED5, IDC_LED6, IDC_ALL_ON, IDC_ALL_OFF,
             IDC_ENABLE_BACKLIGHT, IDC_SPREAD_SPECTRUM, IDC_SLEW_RATE, IDC_AUTO_STRING, IDC_PWM_STANDBY, IDC_RESET,
             IDC_ISET_EXTERNAL, IDC_PFSET_EXTERNAL, IDC_BOOST_FSET_EXTERNAL, IDC_BOOST_COMP_EXTERNAL, IDC_SET,
             IDC_READBACK_ALL, IDC_READ, IDC_WRITE })
        expected.insert({ BN_CLICKED, id });
    for (int id : { IDC_MODE_LIST, IDC_CURRENT_SCALE_LIST, IDC_PWM_FREQUENCY_LIST, IDC_BOOST_FSET_LIST,
             IDC_BOOST_COMP_LIST, IDC_STEP_LIST, IDC_SMOOTHING_LIST })
        expected.insert({ CBN_SELCHANGE, id });
    for (int id : { IDC_BOOST_FSET_LIST, IDC_STEP_LIST, IDC_SMOOTHING_LIST })
        expected.insert({ CBN_EDITCHANGE, id });
    expected.insert({ NM_CUSTOMDRAW, IDC_BRIGHTNESS_SLIDER });
    expected.insert({ EN_UPDATE, IDC_TARGET });

    std::set<std::pair<int, int>> seen;
    for (const auto& entry : EvalDialog::eventTable())
        EXPECT_TRUE(seen.insert({ entry.code, entry.controlId }).second)
            << "event " << entry.code << " of control " << entry.controlId << " twice";
    EXPECT_EQ(seen, expected);
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
