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

TEST_F(WindowTest, EveryEventHasAtMostOneEntry)
{
    std::set<std::pair<int, int>> seen;
    for (const auto& entry : EvalDialog::eventTable())
        EXPECT_TRUE(seen.insert({ entry.code, entry.controlId }).second)
            << "event " << entry.code << " of control " << entry.controlId << " twice";
    EXPECT_TRUE(seen.contains({ BN_CLICKED, IDC_READBACK_ALL }));
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
