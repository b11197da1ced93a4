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

namespace {

class WindowTest : public EvalDialogFixture { };

bool takesFocus(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Text:
    case ControlKind::Picture:
    case ControlKind::Icon:
    case ControlKind::GroupBox:
        return false;
    default:
        return true;
    }
}

TEST_F(WindowTest, TabOrderIsTheCreationOrderAndFocusStartsOnExit)
{
    open();

    std::vector<QWidget*> expected;
    for (const ControlTemplate& control : evalDialogTemplate.controls) {
        if (takesFocus(control.kind))
            expected.push_back(dialog->controlWidget(control.id));
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
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    ASSERT_GE(actions.size(), 3);
    EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
    QAction* about = actions.back();
    EXPECT_EQ(about->text(), "&About KV3124...");

    QString caption;
    QString versionText;
    bool mainWindowBlocked = false;
    QTimer::singleShot(50, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        caption = box->windowTitle();
        for (auto* label : box->findChildren<QLabel*>())
            versionText += label->text();
        mainWindowBlocked = QApplication::activeModalWidget() != dialog->window();
        QTest::keyClick(box, Qt::Key_Escape);
    });
    about->trigger();

    EXPECT_EQ(caption, "About KV3124");
    EXPECT_TRUE(versionText.contains("KV3124 Version 1.2"));
    EXPECT_TRUE(mainWindowBlocked);
    EXPECT_TRUE(dialog->window()->isVisible()) << "closing the About box leaves the main window open";
    EXPECT_EQ(text(IDC_VERSION), "Version: USB RFW:2.5; FFW:1.3");
}

} // namespace
