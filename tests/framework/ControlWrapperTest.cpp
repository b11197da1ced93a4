#include "TestDialog.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

TEST(ControlWrappers, ComboSelectionByIndex)
{
    TestDialog dialog;
    dialog.Create();
    EXPECT_EQ(dialog.list.SetCurSel(2), 2);
    EXPECT_EQ(dialog.list.GetCurSel(), 2);
    EXPECT_EQ(dialog.list.GetWindowText(), "Gamma");
    EXPECT_EQ(dialog.list.SetCurSel(3), CB_ERR);
    EXPECT_EQ(dialog.list.GetCurSel(), CB_ERR);
    EXPECT_EQ(dialog.list.GetWindowText(), "");
    dialog.list.SetCurSel(0);
    EXPECT_EQ(dialog.list.SetCurSel(CB_ERR), CB_ERR);
    EXPECT_EQ(dialog.list.GetCurSel(), CB_ERR);
    // Adding to the end keeps the selection.
    dialog.list.SetCurSel(1);
    EXPECT_EQ(dialog.list.AddString("Delta"), 3);
    EXPECT_EQ(dialog.list.GetCurSel(), 1);
}

TEST(ControlWrappers, SliderKeepsItsPositionInsideTheRange)
{
    TestDialog dialog;
    dialog.Create();
    dialog.slider.SetRangeMin(0, false);
    dialog.slider.SetRangeMax(0xFFF, true);
    dialog.slider.SetTicFreq(1);
    EXPECT_EQ(dialog.slider.GetRangeMin(), 0);
    EXPECT_EQ(dialog.slider.GetRangeMax(), 0xFFF);
    dialog.slider.SetPos(0x800);
    EXPECT_EQ(dialog.slider.GetPos(), 0x800);
    dialog.slider.SetPos(0x2000);
    EXPECT_EQ(dialog.slider.GetPos(), 0xFFF);
    dialog.slider.SetPos(-1);
    EXPECT_EQ(dialog.slider.GetPos(), 0);
    dialog.slider.SetRange(10, 20, true);
    EXPECT_EQ(dialog.slider.GetPos(), 10);
    EXPECT_EQ(dialog.sliderWidget()->tickPosition(), QSlider::NoTicks);
}

TEST(ControlWrappers, WindowTextOfLabelsButtonsAndTheDialog)
{
    TestDialog dialog;
    dialog.Create();
    dialog.SetDlgItemText(IDC_STATUS, "Ready4");
    EXPECT_EQ(qobject_cast<QLabel*>(dialog.controlWidget(IDC_STATUS))->text(), QStringLiteral("Ready4"));
    EXPECT_EQ(dialog.GetDlgItemText(IDC_STATUS), "Ready4");
    dialog.GetDlgItem(IDC_GO)->SetWindowText("Went");
    EXPECT_EQ(dialog.button(IDC_GO)->text(), QStringLiteral("Went"));
    CWnd(dialog.window()).SetWindowText("Renamed");
    EXPECT_EQ(CWnd(dialog.window()).GetWindowText(), "Renamed");
}
