// The template built into widgets: order, placement in dialog units, and the control wrappers.
#include "TestDialog.h"

#include "framework/DialogUnits.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QLabel>

namespace {
class DialogBuild : public ShownDialog { };
} // namespace

TEST(DialogUnits, QuarterAndEighthOfTheBaseUnitsWithHalvesRoundedUp)
{
    // 7 * 6 / 4 = 10.5 and 63 * 12 / 8 = 94.5 round up, as the platform's MulDiv does.
    EXPECT_EQ(DialogUnits(6, 12).toPixels(DialogRect { 7, 63, 352, 42 }), QRect(11, 95, 528, 63));
    EXPECT_EQ(DialogUnits(6, 13).toPixels(575, 404), QSize(863, 657));
}

TEST_F(DialogBuild, TheDialogFontGivesBaseUnitsSixByThirteenThatPlaceWindowControlsAndImages)
{
    QDialog* window = dialog.window();
    EXPECT_EQ(QFontInfo(window->font()).family(), QStringLiteral("Liberation Sans"));
    const DialogUnits units(window->font());
    EXPECT_EQ(units.baseX(), 6);
    EXPECT_EQ(units.baseY(), 13);
    EXPECT_EQ(window->size(), units.toPixels(200, 120));
    EXPECT_EQ(dialog.controlWidget(IDC_EDIT)->geometry(), units.toPixels(DialogRect { 130, 10, 60, 14 }));

    // Images keep their own size at the template's corner; icons show at 32 pixels.
    const auto labels = window->findChildren<QLabel*>();
    const auto imageOfWidth = [&labels](int width) {
        const auto found = std::ranges::find_if(labels, [width](QLabel* l) { return l->pixmap().width() == width; });
        return found == labels.end() ? QRect() : (*found)->geometry();
    };
    EXPECT_EQ(imageOfWidth(30), QRect(units.toPixelsX(150), units.toPixelsY(82), 30, 20));
    EXPECT_EQ(imageOfWidth(32), QRect(units.toPixelsX(170), units.toPixelsY(96), 32, 32));
}

TEST_F(DialogBuild, CreationOrderIsTheTabOrderStartingOnTheFirstControl)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.window()));
    for (int id : { IDCANCEL, IDC_GO, IDC_EARLY, IDC_LATE, IDC_EDIT, IDC_READ_ONLY, IDC_LIST, IDC_SORTED_LIST,
             IDC_SLIDER, IDCANCEL }) {
        EXPECT_EQ(QApplication::focusWidget(), dialog.controlWidget(id)) << "control " << id;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

TEST_F(DialogBuild, ControlsHaveTheirTemplatesKindsAndTexts)
{
    EXPECT_EQ(dialog.window()->windowTitle(), QStringLiteral("Framework Test"));
    EXPECT_EQ(dialog.controlWidget(IDC_GO)->accessibleName(), QStringLiteral("Go button"));
    EXPECT_TRUE(dialog.get<QLineEdit>(IDC_READ_ONLY)->isReadOnly());
    EXPECT_FALSE(dialog.get<QLineEdit>(IDC_READ_ONLY)->hasFrame());
    EXPECT_EQ(dialog.get<QSlider>(IDC_SLIDER)->orientation(), Qt::Horizontal);
    EXPECT_EQ(dialog.GetDlgItem(12345), nullptr);
    // Plain text, so runs of blanks are kept and measured.
    const QLabel* header = dialog.get<QLabel>(IDC_HEADER);
    EXPECT_EQ(dialog.GetDlgItemText(IDC_HEADER), "Addr   00     01");
    EXPECT_GE(header->sizeHint().width(), header->fontMetrics().horizontalAdvance(header->text()));

    dialog.SetDlgItemText(IDC_HEADER, "Ready4");
    EXPECT_EQ(header->text(), QStringLiteral("Ready4"));
    dialog.GetDlgItem(IDC_GO)->SetWindowText("Went");
    EXPECT_EQ(dialog.get<QPushButton>(IDC_GO)->text(), QStringLiteral("Went"));
    EXPECT_TRUE(dialog.window()->windowIcon().isNull());
    dialog.SetIcon(testIconId, true);
    EXPECT_EQ(dialog.window()->windowIcon().pixmap(32).toImage().pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(DialogBuild, ControlsInAGroupBoxTakeClicksWhicheverWasCreatedFirst)
{
    const auto* group = dialog.window()->findChild<QGroupBox*>();
    for (int id : { IDC_EARLY, IDC_LATE }) {
        SCOPED_TRACE(id);
        QCheckBox* box = dialog.get<QCheckBox>(id);
        ASSERT_TRUE(group->geometry().contains(box->geometry()));
        // The frame lies below every control, so it never paints over one.
        EXPECT_LT(dialog.window()->children().indexOf(group), dialog.window()->children().indexOf(box));
        userClick(*box);
        EXPECT_EQ(dialog.count(BN_CLICKED, id), 1);
    }
}

TEST_F(DialogBuild, DropDownListsStartFilledWithNothingChosenAndSelectByIndex)
{
    QComboBox* list = dialog.get<QComboBox>(IDC_LIST);
    EXPECT_EQ(dialog.list.GetCount(), 3);
    EXPECT_EQ(dialog.list.GetCurSel(), CB_ERR);
    EXPECT_EQ(dialog.list.GetWindowText(), "");
    EXPECT_EQ(list->height(), list->sizeHint().height()) << "closed, not the template's dropped-down height";
    EXPECT_EQ(dialog.list.SetCurSel(2), 2);
    EXPECT_EQ(dialog.list.GetWindowText(), "Gamma");
    EXPECT_EQ(dialog.list.AddString("Delta"), 3);
    EXPECT_EQ(dialog.list.GetCurSel(), 2) << "adding an item keeps the selection";
    for (int outside : { 4, CB_ERR }) {
        dialog.list.SetCurSel(1);
        EXPECT_EQ(dialog.list.SetCurSel(outside), CB_ERR);
        EXPECT_EQ(dialog.list.GetCurSel(), CB_ERR);
        EXPECT_EQ(dialog.list.GetWindowText(), "");
    }

    // The sorted list shows every item without a scroll bar and puts a new one in its case-blind place.
    QComboBox* sorted = dialog.get<QComboBox>(IDC_SORTED_LIST);
    EXPECT_EQ(dialog.sortedList.GetLBText(2), "External COMP set");
    EXPECT_GE(sorted->maxVisibleItems(), 3);
    EXPECT_EQ(sorted->view()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(dialog.sortedList.AddString("Auto"), 0);
    EXPECT_EQ(dialog.sortedList.AddString("c"), 3);
    EXPECT_EQ(dialog.sortedList.GetCurSel(), CB_ERR);
}

TEST_F(DialogBuild, SliderKeepsItsPositionInsideTheRangeAndDrawsNoTicks)
{
    dialog.slider.SetRangeMin(10, false);
    dialog.slider.SetRangeMax(0xFFF, true);
    dialog.slider.SetTicFreq(1);
    EXPECT_EQ(std::pair(dialog.slider.GetRangeMin(), dialog.slider.GetRangeMax()), std::pair(10, 0xFFF));
    EXPECT_EQ(dialog.slider.GetPos(), 10);
    dialog.slider.SetPos(0x2000);
    EXPECT_EQ(dialog.slider.GetPos(), 0xFFF);
    dialog.slider.SetRange(0, 20, true);
    EXPECT_EQ(dialog.slider.GetPos(), 20);
    EXPECT_EQ(dialog.get<QSlider>(IDC_SLIDER)->tickPosition(), QSlider::NoTicks);
}
