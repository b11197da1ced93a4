// The framework on a small dialog with a control of each kind: the widgets its template becomes, which
// user actions reach its event table, and how it ends.
#include "framework/CComboBox.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CSliderCtrl.h"
#include "framework/EventTable.h"
#include "framework/ResourceImages.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int IDC_GO = 10, IDC_EARLY = 20, IDC_EDIT = 30, IDC_READ_ONLY = 31, IDC_LIST = 40, IDC_SORTED = 41,
              IDC_SLIDER = 50, kBitmapId = 7001, kIconId = 7002;
constexpr std::string_view kItems[] { "Alpha", "Beta", "Gamma" };
constexpr std::string_view kSortedItems[] { "BOOST COMP 0", "BOOST COMP 1", "External COMP set" };
constexpr ControlTemplate kControls[] {
    { IDCANCEL, ControlKind::PushButton, "Exit", { 10, 10, 50, 14 } },
    { IDC_GO, ControlKind::PushButton, "Go", { 70, 10, 50, 14 }, StyleNone, 0, {}, "Go button" },
    // The check box is created before the group box around it.
    { IDC_EARLY, ControlKind::CheckBox, "Early", { 15, 42, 60, 10 } },
    { IDC_STATIC, ControlKind::GroupBox, "Group", { 5, 30, 120, 40 } },
    { IDC_EDIT, ControlKind::Edit, "", { 130, 10, 60, 14 } },
    // Overlaps the slider, whose paint handler writes it: a rewrite that repaints it would repaint the slider too.
    { IDC_READ_ONLY, ControlKind::ReadOnlyEdit, "", { 90, 82, 40, 12 } },
    { IDC_LIST, ControlKind::DropDownList, "", { 130, 44, 60, 50 }, StyleNone, 0, kItems },
    { IDC_SORTED, ControlKind::DropDownList, "", { 130, 62, 65, 60 }, StyleSorted | StyleNoScrollBar, 0, kSortedItems },
    { IDC_SLIDER, ControlKind::Slider, "", { 10, 80, 100, 15 } },
    { IDC_STATIC, ControlKind::Picture, "", { 150, 82, 40, 10 }, StyleNone, kBitmapId },
    { IDC_STATIC, ControlKind::Icon, "", { 170, 96, 20, 20 }, StyleNone, kIconId },
};
// Cancel as the default button tells its click from OnOK.
constexpr ControlTemplate kDefaultButtonControls[] {
    { IDC_EDIT, ControlKind::Edit, "", { 10, 10, 60, 14 } },
    { IDCANCEL, ControlKind::PushButton, "Cancel", { 80, 10, 50, 14 }, StyleDefaultButton },
};
constexpr DialogTemplate kTemplate { 900, "Framework Test", 200, 120, kControls },
    kDefaultButtonTemplate { 901, "Default", 140, 40, kDefaultButtonControls };

QPixmap blue(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::blue);
    return pixmap;
}

// Records the notifications that reach its event table.
class TestDialog : public CDialog {
public:
    explicit TestDialog(CDialog* parent = nullptr)
        : CDialog(kTemplate, parent)
    {
        registerBitmap(kBitmapId, [](qreal) { return blue(30, 20); });
        registerIcon(kIconId, [] { return QIcon(blue(48, 48)); });
    }

    std::string editText;
    int early = 0;
    CComboBox list, sorted;
    CSliderCtrl slider;
    std::vector<std::pair<NotifyCode, int>> received;
    std::function<void(bool)> duringExchange; // runs at the end of each exchange, with its direction

    template <class Widget> Widget* get(int id) const { return qobject_cast<Widget*>(controlWidget(id)); }
    auto count(NotifyCode code, int id) const { return std::ranges::count(received, std::pair { code, id }); }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_LIST, list);
        DDX_Control(pDX, IDC_SORTED, sorted);
        DDX_Control(pDX, IDC_SLIDER, slider);
        DDX_Text(pDX, IDC_EDIT, editText);
        DDX_Check(pDX, IDC_EARLY, early);
        if (duringExchange)
            duringExchange(pDX->m_bSaveAndValidate);
    }

    bool OnNotify(NotifyCode code, int controlId) override
    {
        static constexpr EventEntry<TestDialog> eventTable[] {
            { BN_CLICKED, IDC_GO, [](TestDialog&) {} },
            { BN_CLICKED, IDC_GO, [](TestDialog&) { ADD_FAILURE() << "a second matching entry ran"; } },
            { NM_CUSTOMDRAW, IDC_SLIDER, [](TestDialog& d) { d.SetDlgItemText(IDC_READ_ONLY, "painted"); } },
        };
        received.emplace_back(code, controlId);
        return dispatchEvent<TestDialog>(eventTable, *this, code, controlId);
    }
};

void show(CDialog& dialog)
{
    dialog.Create();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.window()));
    QApplication::processEvents();
}

// Clicks the middle of `widget` through its window, as the window system delivers a user's click.
void userClick(QWidget& widget, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(
        widget.window()->windowHandle(), button, {}, widget.mapTo(widget.window(), widget.rect().center()));
}

void press(CDialog& dialog, int target, Qt::Key key)
{
    dialog.controlWidget(target)->setFocus();
    QTest::keyClick(dialog.controlWidget(target), key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

class ShownDialog : public testing::Test {
protected:
    void SetUp() override
    {
        show(dialog);
        dialog.received.clear();
    }

    TestDialog dialog;
};

TEST_F(ShownDialog, ControlsArePlacedByTheFontsBaseUnitsImagesKeepTheirSizeAndListsStartWithNothingChosen)
{
    // The font's base units are 6 x 13: x and width times 6 / 4, y and height times 13 / 8, halves rounded up
    // as the platform's MulDiv does.
    QDialog* window = dialog.window();
    EXPECT_EQ(window->size(), QSize(300, 195));
    EXPECT_EQ(dialog.controlWidget(IDC_EARLY)->geometry(), QRect(23, 68, 90, 16));
    EXPECT_EQ(dialog.controlWidget(IDC_READ_ONLY)->geometry(), QRect(135, 133, 60, 20));
    QComboBox* list = dialog.get<QComboBox>(IDC_LIST);
    EXPECT_EQ(list->height(), list->sizeHint().height()) << "closed, not the template's dropped-down height";
    // The group box's frame lies below the check box created before it, so it never paints over it.
    EXPECT_LT(window->children().indexOf(window->findChild<QGroupBox*>()),
        window->children().indexOf(dialog.controlWidget(IDC_EARLY)));
    // Images keep their own size at the template's corner; icons show at 32 pixels.
    std::vector<QRect> images;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->pixmap().isNull())
            images.push_back(label->geometry());
    }
    EXPECT_EQ(images, (std::vector { QRect(225, 133, 30, 20), QRect(255, 156, 32, 32) }));
    dialog.SetIcon(kIconId, true);
    EXPECT_EQ(window->windowIcon().pixmap(32).toImage().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(dialog.controlWidget(IDC_GO)->accessibleName(), QStringLiteral("Go button"));
    EXPECT_TRUE(dialog.get<QLineEdit>(IDC_READ_ONLY)->isReadOnly());

    EXPECT_EQ(std::tuple(dialog.list.GetCount(), dialog.list.GetCurSel(), dialog.list.GetWindowText()),
        std::tuple(3, CB_ERR, ""));
    EXPECT_EQ(
        (std::pair { dialog.list.SetCurSel(2), dialog.list.GetWindowText() }), std::pair(2, std::string("Gamma")));
    EXPECT_EQ((std::tuple { dialog.list.SetCurSel(3), dialog.list.GetCurSel(), dialog.list.GetWindowText() }),
        std::tuple(CB_ERR, CB_ERR, ""));
    // The sorted list shows every item without a scroll bar and puts a new one in its case-blind place.
    QComboBox* sorted = dialog.get<QComboBox>(IDC_SORTED);
    EXPECT_GE(sorted->maxVisibleItems(), 3);
    EXPECT_EQ(sorted->view()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ((std::tuple { dialog.sorted.AddString("Auto"), dialog.sorted.AddString("c"), dialog.sorted.GetCurSel() }),
        std::tuple(0, 3, CB_ERR));
}

TEST(Modal, FillsTheListsAndShowsTheModelBeforeTheWindowAppears)
{
    TestDialog dialog;
    std::vector<std::pair<bool, int>> shownAndItemsAtExchanges;
    dialog.duringExchange
        = [&](bool) { shownAndItemsAtExchanges.emplace_back(dialog.window()->isVisible(), dialog.list.GetCount()); };
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(QApplication::activeModalWidget(), dialog.window());
        QTest::keyClick(dialog.window(), Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(shownAndItemsAtExchanges, (std::vector { std::pair(false, 3) }));
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
        EXPECT_EQ(std::pair(dialog.count(BN_CLICKED, IDC_GO), dialog.count(CBN_SELCHANGE, IDC_LIST)),
            std::pair(result == 0 ? 1L : 0L, 0L));
        for (const QPushButton* button : dialog.window()->findChildren<QPushButton*>())
            EXPECT_FALSE(button->isDefault() || button->autoDefault());
    }

    // A default button takes Enter wherever the focus is.
    CDialog withDefault(kDefaultButtonTemplate);
    show(withDefault);
    press(withDefault, IDC_EDIT, Qt::Key_Return);
    EXPECT_EQ(std::pair(withDefault.window()->isVisible(), withDefault.window()->result()), std::pair(false, IDCANCEL));
}

TEST_F(ShownDialog, TheSystemMenuOpensOnARightClickOnTheBackgroundOnlyAGroupBoxsInsideIncluded)
{
    QDialog* window = dialog.window();
    userClick(*dialog.get<QPushButton>(IDC_GO), Qt::RightButton);
    EXPECT_EQ(window->findChild<QMenu*>(QStringLiteral("systemMenu")), nullptr);
    const QPoint background = window->findChild<QGroupBox*>()->geometry().bottomRight() - QPoint(5, 5);
    ASSERT_EQ(window->childAt(background), nullptr);
    QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, background);
    auto* menu = window->findChild<QMenu*>(QStringLiteral("systemMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    menu->close();
}

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
        (decltype(dialog.received) { { BN_CLICKED, IDC_GO }, { BN_CLICKED, IDC_EARLY }, { BN_CLICKED, IDC_EARLY },
            { CBN_SELCHANGE, IDC_LIST }, { CBN_SELCHANGE, IDC_LIST }, { EN_UPDATE, IDC_EDIT }, { EN_UPDATE, IDC_EDIT },
            { CBN_EDITCHANGE, IDC_LIST }, { CBN_EDITCHANGE, IDC_LIST } }));
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
    EXPECT_EQ(std::tuple(dialog.window()->result(), dialog.list.GetCurSel(), dialog.list.GetCount()),
        std::tuple(IDOK, CB_ERR, 3));
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

// Controls keep pictures of their looks: after a change the window must look as one made in that state.
TEST(KeptPictures, AChangedControlLooksAsOneMadeChanged)
{
    const std::function<void(TestDialog&)> changes[] {
        [](TestDialog& d) { d.get<QCheckBox>(IDC_EARLY)->setChecked(true); },
        [](TestDialog& d) { d.SetDlgItemText(IDC_GO, "Went"); },
        [](TestDialog& d) { d.window()->findChild<QGroupBox*>()->setTitle("Grouped"); },
        [](TestDialog& d) { d.window()->setEnabled(false); },
    };
    for (std::size_t row = 0; row < std::size(changes); ++row) {
        TestDialog changed, made;
        show(changed);
        changes[row](changed);
        const QImage shown = changed.window()->grab().toImage();
        changed.window()->hide();
        made.Create();
        changes[row](made);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(made.window()));
        EXPECT_EQ(shown, made.window()->grab().toImage()) << "change " << row;
    }
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

} // namespace
