#include "TestDialog.h"

#include "framework/DialogUnits.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

TEST(DialogBuild, ControlsFollowTheTemplateInCreationAndTabOrder)
{
    TestDialog dialog;
    dialog.Create();
    QDialog* window = dialog.window();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Framework Test"));

    // Tab order: the focusable controls in creation order, statics skipped; the first one has the focus.
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const std::vector<int> tabOrder { IDCANCEL, IDC_GO, IDC_EARLY, IDC_LATE, IDC_EDIT, IDC_READ_ONLY, IDC_LIST,
        IDC_SORTED_LIST, IDC_SLIDER, IDCANCEL };
    for (int id : tabOrder) {
        EXPECT_EQ(QApplication::focusWidget(), dialog.controlWidget(id)) << "control " << id;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }

    EXPECT_EQ(dialog.controlWidget(IDC_GO)->objectName(), QStringLiteral("ctl10"));
    EXPECT_EQ(dialog.controlWidget(IDC_GO)->accessibleName(), QStringLiteral("Go button"));
    EXPECT_TRUE(dialog.edit(IDC_READ_ONLY)->isReadOnly());
    EXPECT_FALSE(dialog.edit(IDC_READ_ONLY)->hasFrame());
    EXPECT_TRUE(dialog.edit(IDC_READ_ONLY)->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(dialog.sliderWidget()->orientation(), Qt::Horizontal);
    EXPECT_EQ(dialog.sliderWidget()->tickPosition(), QSlider::NoTicks);
    EXPECT_EQ(dialog.GetDlgItemText(IDC_STATUS), "Status");
    EXPECT_EQ(dialog.GetDlgItem(12345), nullptr);
}

TEST(DialogBuild, ImagesKeepTheirOwnSizeAndStaticsLetClicksThrough)
{
    TestDialog dialog;
    dialog.Create();
    const DialogUnits units(dialog.window()->font());
    const auto labels = dialog.window()->findChildren<QLabel*>();
    const auto picture = std::find_if(labels.begin(), labels.end(), [](QLabel* l) { return !l->pixmap().isNull(); });
    ASSERT_NE(picture, labels.end());
    EXPECT_EQ((*picture)->geometry(), QRect(units.toPixelsX(150), units.toPixelsY(82), 30, 20));
    const auto icon = std::find_if(labels.begin(), labels.end(), [](QLabel* l) { return l->pixmap().width() == 32; });
    ASSERT_NE(icon, labels.end());
    EXPECT_EQ((*icon)->geometry(), QRect(units.toPixelsX(170), units.toPixelsY(96), 32, 32));
}

TEST(DialogBuild, ControlsInsideAGroupBoxStayClickableWhateverTheirCreationOrder)
{
    TestDialog dialog;
    dialog.Create();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.window()));
    auto* group = dialog.window()->findChild<QGroupBox*>();
    ASSERT_NE(group, nullptr);
    for (int id : { IDC_EARLY, IDC_LATE }) {
        QCheckBox* box = dialog.checkBox(id);
        ASSERT_TRUE(group->geometry().contains(box->geometry()));
        EXPECT_EQ(dialog.window()->childAt(box->geometry().center()), box);
        // The frame lies below every control, so it never paints over one.
        EXPECT_LT(dialog.window()->children().indexOf(group), dialog.window()->children().indexOf(box));
        userClick(*box);
        EXPECT_EQ(dialog.count(BN_CLICKED, id), 1u) << "check box " << id;
    }
}

TEST(DialogBuild, DropDownListsAreFilledInIndexOrderWithoutASelection)
{
    TestDialog dialog;
    dialog.Create();
    QComboBox* list = dialog.combo(IDC_LIST);
    EXPECT_EQ(dialog.list.GetCount(), 3);
    EXPECT_EQ(dialog.list.GetLBText(2), "Gamma");
    EXPECT_EQ(dialog.list.GetCurSel(), CB_ERR);
    EXPECT_EQ(list->currentText(), QString());
    EXPECT_TRUE(list->isEditable());
    EXPECT_EQ(list->completer(), nullptr);
    EXPECT_EQ(list->height(), list->sizeHint().height());

    // The sorted list keeps the given order, shows every item and has no scroll bar.
    EXPECT_EQ(dialog.sortedList.GetLBText(0), "BOOST COMP 0");
    EXPECT_EQ(dialog.sortedList.GetLBText(2), "External COMP set");
    EXPECT_GE(dialog.combo(IDC_SORTED_LIST)->maxVisibleItems(), 3);
    EXPECT_EQ(dialog.combo(IDC_SORTED_LIST)->view()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    // A sorted list puts a new item in its place.
    EXPECT_EQ(dialog.sortedList.AddString("Auto"), 0);
    EXPECT_EQ(dialog.sortedList.AddString("C"), 3);
    EXPECT_EQ(dialog.sortedList.GetCurSel(), CB_ERR);
}

TEST(DialogBuild, HeaderTextsKeepTheirRunsOfBlanks)
{
    TestDialog dialog;
    dialog.Create();
    const auto labels = dialog.window()->findChildren<QLabel*>();
    const auto header = std::find_if(
        labels.begin(), labels.end(), [](QLabel* l) { return l->text().startsWith(QStringLiteral("Addr")); });
    ASSERT_NE(header, labels.end());
    EXPECT_EQ((*header)->text(), QStringLiteral("Addr   00     01"));
    const QFontMetrics metrics((*header)->font());
    EXPECT_GE((*header)->sizeHint().width(), metrics.horizontalAdvance(QStringLiteral("Addr   00     01")));
}
