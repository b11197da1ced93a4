// Running a dialog and ending it: modal loop, keys, close box, system menu.
#include "TestDialog.h"

#include <QGroupBox>
#include <QMenu>
#include <QScreen>
#include <QTimer>

namespace {

class SystemMenu : public ShownDialog { };

// Runs `whileModal` once the modal loop runs, then presses Escape on the active modal window.
void whenModal(std::function<void(QDialog&)> whileModal)
{
    QTimer::singleShot(0, [whileModal = std::move(whileModal)] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(modal, nullptr);
        whileModal(*modal);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
}

int centreDistance(const QWidget& window, const QRect& over)
{
    return (window.frameGeometry().center() - over.center()).manhattanLength();
}

// Shows the dialog, types into its edit, then presses `key` on control `target`.
void typeThenPress(CDialog& dialog, int target, Qt::Key key)
{
    show(dialog);
    QTest::keyClicks(dialog.controlWidget(IDC_EDIT), "typed");
    QWidget* widget = dialog.controlWidget(target);
    widget->setFocus();
    QTest::keyClick(widget, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

// Cancel as the default button tells its click from OnOK.
constexpr std::array<ControlTemplate, 2> defaultButtonControls { {
    { IDC_EDIT, ControlKind::Edit, "", { 10, 10, 60, 14 } },
    { IDCANCEL, ControlKind::PushButton, "Cancel", { 80, 10, 50, 14 }, StyleDefaultButton },
} };
constexpr DialogTemplate defaultButtonTemplate { 901, "Default", 140, 40, defaultButtonControls };

} // namespace

TEST(Modal, InitialisesBeforeShowingThenCentresAndFocusesTheFirstControl)
{
    TestDialog dialog;
    bool shownAtInit = true;
    int listItemsAtInit = -1;
    // OnInitDialog fills the lists, then shows the model: the first exchange.
    dialog.duringExchange = [&](bool) {
        shownAtInit = dialog.window()->isVisible();
        listItemsAtInit = dialog.list.GetCount();
    };
    whenModal([&dialog](QDialog& modal) {
        EXPECT_EQ(&modal, dialog.window());
        EXPECT_EQ(modal.focusWidget(), dialog.controlWidget(IDCANCEL));
        EXPECT_LE(centreDistance(modal, QApplication::primaryScreen()->availableGeometry()), 2);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(shownAtInit);
    EXPECT_EQ(listItemsAtInit, 3);
}

TEST(Modal, AChildDialogOpensOverItsParentAndBlocksIt)
{
    TestDialog parent;
    show(parent);
    parent.window()->move(40, 30);
    QApplication::processEvents();
    TestDialog child(&parent);
    whenModal([&](QDialog& modal) {
        EXPECT_EQ(&modal, child.window());
        EXPECT_LE(centreDistance(modal, parent.window()->frameGeometry()), 2);
        userClick(*parent.get<QPushButton>(IDC_GO));
        EXPECT_EQ(parent.count(BN_CLICKED, IDC_GO), 0);
    });
    EXPECT_EQ(child.DoModal(), IDCANCEL);
    EXPECT_TRUE(parent.window()->isVisible());
    userClick(*parent.get<QPushButton>(IDC_GO));
    EXPECT_EQ(parent.count(BN_CLICKED, IDC_GO), 1);
}

TEST(Keys, EnterClicksTheFocusedPushButtonElseGathersAndEndsWithOkEscapeEndsWithCancel)
{
    for (int target : { IDC_GO, IDC_EDIT, IDC_EARLY, IDC_READ_ONLY, IDC_LIST, IDC_SLIDER }) {
        for (Qt::Key key : { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape }) {
            SCOPED_TRACE(testing::Message() << "control " << target << ", key " << key);
            TestDialog dialog;
            typeThenPress(dialog, target, key);
            const int result = key == Qt::Key_Escape ? IDCANCEL : target == IDC_GO ? 0 : IDOK;
            EXPECT_EQ(dialog.window()->isVisible(), result == 0);
            EXPECT_EQ(dialog.window()->result(), result);
            EXPECT_EQ(dialog.editText, result == IDOK ? "typed" : "");
            EXPECT_EQ(dialog.count(BN_CLICKED, IDC_GO), result == 0 ? 1 : 0);
            EXPECT_EQ(dialog.count(CBN_SELCHANGE, IDC_LIST), 0);
            for (const QPushButton* button : dialog.window()->findChildren<QPushButton*>())
                EXPECT_FALSE(button->isDefault() || button->autoDefault());
        }
    }
}

TEST(Keys, ADefaultButtonTakesEnterWhereverTheFocusIs)
{
    for (const auto& [target, key] : { std::pair { IDC_EDIT, Qt::Key_Return }, std::pair { IDCANCEL, Qt::Key_Return },
             std::pair { IDCANCEL, Qt::Key_Space } }) {
        SCOPED_TRACE(testing::Message() << "control " << target << ", key " << key);
        CDialog dialog(defaultButtonTemplate);
        typeThenPress(dialog, target, key);
        EXPECT_FALSE(dialog.window()->isVisible());
        EXPECT_EQ(dialog.window()->result(), IDCANCEL);
    }
}

TEST(Keys, TheCloseBoxExitAndTheSystemMenusCloseEndWithCancelWithoutGathering)
{
    const std::array<void (*)(TestDialog&), 3> ways {
        [](TestDialog& d) { d.window()->close(); },
        [](TestDialog& d) { userClick(*d.get<QPushButton>(IDCANCEL)); },
        [](TestDialog& d) { d.popupSystemMenu({})->actions().front()->trigger(); },
    };
    for (std::size_t way = 0; way < ways.size(); ++way) {
        SCOPED_TRACE(way);
        TestDialog dialog;
        show(dialog);
        QTest::keyClicks(dialog.controlWidget(IDC_EDIT), "typed");
        ways[way](dialog);
        EXPECT_FALSE(dialog.window()->isVisible());
        EXPECT_EQ(dialog.window()->result(), IDCANCEL);
        EXPECT_EQ(dialog.editText, "");
    }
}

TEST_F(SystemMenu, OpensOnARightClickOnTheBackgroundOnly)
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
