// Running a dialog and ending it: modal loop, keys, close box, system menu.
#include "TestDialog.h"

#include <QGroupBox>
#include <QMenu>
#include <QScreen>
#include <QTimer>

namespace {

void press(CDialog& dialog, int target, Qt::Key key)
{
    QWidget* widget = dialog.controlWidget(target);
    widget->setFocus();
    QTest::keyClick(widget, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

// Cancel as the default button tells its click from OnOK.
constexpr ControlTemplate defaultButtonControls[] {
    { IDC_EDIT, ControlKind::Edit, "", { 10, 10, 60, 14 } },
    { IDCANCEL, ControlKind::PushButton, "Cancel", { 80, 10, 50, 14 }, StyleDefaultButton },
};
constexpr DialogTemplate defaultButtonTemplate { 901, "Default", 140, 40, defaultButtonControls };

} // namespace

TEST(Modal, InitialisesBeforeShowingThenOpensCentredOverItsParent)
{
    const auto centreDistance = [](const QWidget* window, const QRect& over) {
        return (window->frameGeometry().center() - over.center()).manhattanLength();
    };
    TestDialog parent;
    show(parent);
    EXPECT_LE(centreDistance(parent.window(), QApplication::primaryScreen()->availableGeometry()), 2);
    parent.window()->move(40, 30);
    QApplication::processEvents();

    TestDialog child(&parent);
    // OnInitDialog fills the lists, then shows the model: the first exchange.
    std::pair<bool, int> shownAndItemsAtInit;
    child.duringExchange = [&](bool) { shownAndItemsAtInit = { child.window()->isVisible(), child.list.GetCount() }; };
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), child.window());
        EXPECT_LE(centreDistance(child.window(), parent.window()->frameGeometry()), 2);
        QTest::keyClick(child.window(), Qt::Key_Escape);
    });
    EXPECT_EQ(child.DoModal(), IDCANCEL);
    EXPECT_EQ(shownAndItemsAtInit, std::pair(false, 3));
}

TEST(Ending, EnterClicksTheFocusedButtonElseGathersAndEndsEscapeExitAndCloseEndWithoutGathering)
{
    // How the user ends the dialog after typing into its edit, and the result: 0 while it stays open.
    std::vector<std::tuple<std::string, std::function<void(CDialog&)>, int>> endings {
        { "close box", [](CDialog& d) { d.window()->close(); }, IDCANCEL },
        { "Exit", [](CDialog& d) { userClick(*d.controlWidget(IDCANCEL)); }, IDCANCEL },
        { "system menu's Close", [](CDialog& d) { d.popupSystemMenu({})->actions().front()->trigger(); }, IDCANCEL },
    };
    for (int target : { IDC_GO, IDC_EDIT, IDC_EARLY, IDC_READ_ONLY, IDC_LIST, IDC_SLIDER }) {
        for (Qt::Key key : { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape }) {
            const int result = key == Qt::Key_Escape ? IDCANCEL : target == IDC_GO ? 0 : IDOK;
            endings.emplace_back(
                testing::PrintToString(std::pair(target, key)), [=](CDialog& d) { press(d, target, key); }, result);
        }
    }
    for (const auto& [way, end, result] : endings) {
        SCOPED_TRACE(way);
        TestDialog dialog;
        show(dialog);
        QTest::keyClicks(dialog.controlWidget(IDC_EDIT), "typed");
        end(dialog);
        EXPECT_EQ(std::pair(dialog.window()->isVisible(), dialog.window()->result()), std::pair(result == 0, result));
        EXPECT_EQ(dialog.editText, result == IDOK ? "typed" : "");
        EXPECT_EQ(dialog.count(BN_CLICKED, IDC_GO), result == 0 ? 1 : 0);
        EXPECT_EQ(dialog.count(CBN_SELCHANGE, IDC_LIST), 0);
        for (const QPushButton* button : dialog.window()->findChildren<QPushButton*>())
            EXPECT_FALSE(button->isDefault() || button->autoDefault());
    }

    // A default button takes Enter wherever the focus is.
    CDialog withDefault(defaultButtonTemplate);
    show(withDefault);
    press(withDefault, IDC_EDIT, Qt::Key_Return);
    EXPECT_EQ(std::pair(withDefault.window()->isVisible(), withDefault.window()->result()), std::pair(false, IDCANCEL));
}

TEST_F(ShownDialog, TheSystemMenuOpensOnARightClickOnTheBackgroundOnly)
{
    QDialog* window = dialog.window();
    userClick(*dialog.get<QPushButton>(IDC_GO), Qt::RightButton);
    EXPECT_EQ(window->findChild<QMenu*>(QStringLiteral("systemMenu")), nullptr);
    // The dialog's own background, and the inside of a group box, which is background too.
    for (QPoint background : { QPoint(window->width() - 3, window->height() - 3),
             window->findChild<QGroupBox*>()->geometry().bottomRight() - QPoint(5, 5) }) {
        ASSERT_EQ(window->childAt(background), nullptr);
        QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, background);
        auto* menu = window->findChild<QMenu*>(QStringLiteral("systemMenu"));
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->isVisible());
        menu->close();
        QApplication::processEvents();
    }
}
