// A small dialog with a control of each kind that records the notifications it receives.
#pragma once

#include "framework/CComboBox.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CSliderCtrl.h"
#include "framework/EventTable.h"
#include "framework/ResourceImages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

constexpr int IDC_GO = 10, IDC_EARLY = 20, IDC_EDIT = 30, IDC_READ_ONLY = 31, IDC_LIST = 40, IDC_SORTED_LIST = 41,
              IDC_SLIDER = 50, IDC_HEADER = 60;
constexpr int testBitmapId = 7001, testIconId = 7002;

inline constexpr std::string_view testListItems[] { "Alpha", "Beta", "Gamma" };
inline constexpr std::string_view testSortedItems[] { "BOOST COMP 0", "BOOST COMP 1", "External COMP set" };

inline constexpr ControlTemplate testControls[] {
    { IDCANCEL, ControlKind::PushButton, "Exit", { 10, 10, 50, 14 } },
    { IDC_GO, ControlKind::PushButton, "Go", { 70, 10, 50, 14 }, StyleNone, 0, {}, "Go button" },
    // The check box is created before the group box around it.
    { IDC_EARLY, ControlKind::CheckBox, "Early", { 15, 42, 60, 10 } },
    { IDC_STATIC, ControlKind::GroupBox, "Group", { 5, 30, 120, 40 } },
    { IDC_EDIT, ControlKind::Edit, "", { 130, 10, 60, 14 } },
    // Overlaps the slider, whose paint handler writes it: a rewrite that repaints it would repaint the slider too.
    { IDC_READ_ONLY, ControlKind::ReadOnlyEdit, "", { 90, 82, 40, 12 } },
    { IDC_LIST, ControlKind::DropDownList, "", { 130, 44, 60, 50 }, StyleNone, 0, testListItems },
    { IDC_SORTED_LIST, ControlKind::DropDownList, "", { 130, 62, 65, 60 }, StyleSorted | StyleNoScrollBar, 0,
        testSortedItems },
    { IDC_SLIDER, ControlKind::Slider, "", { 10, 80, 100, 15 } },
    { IDC_HEADER, ControlKind::Text, "Addr   00     01", { 10, 100, 80, 8 } },
    { IDC_STATIC, ControlKind::Picture, "", { 150, 82, 40, 10 }, StyleNone, testBitmapId },
    { IDC_STATIC, ControlKind::Icon, "", { 170, 96, 20, 20 }, StyleNone, testIconId },
};
inline constexpr DialogTemplate testDialogTemplate { 900, "Framework Test", 200, 120, testControls };

class TestDialog : public CDialog {
public:
    explicit TestDialog(CDialog* parent = nullptr)
        : CDialog(testDialogTemplate, parent)
    {
        registerBitmap(testBitmapId, [] { return blue(30, 20); });
        registerIcon(testIconId, [] { return QIcon(blue(48, 48)); });
    }

    std::string editText;
    int early = 0;
    CComboBox list, sortedList;
    CSliderCtrl slider;

    // Every notification that reached OnNotify, in order, and how often Go's first entry ran.
    std::vector<std::pair<NotifyCode, int>> received;
    int goHandled = 0;
    // Runs at the end of each data exchange, with its direction.
    std::function<void(bool)> duringExchange;

    template <class Widget> Widget* get(int id) const { return qobject_cast<Widget*>(controlWidget(id)); }
    auto count(NotifyCode code, int id) const { return std::ranges::count(received, std::pair { code, id }); }

protected:
    static QPixmap blue(int width, int height)
    {
        QPixmap p(width, height);
        p.fill(Qt::blue);
        return p;
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_LIST, list);
        DDX_Control(pDX, IDC_SORTED_LIST, sortedList);
        DDX_Control(pDX, IDC_SLIDER, slider);
        DDX_Text(pDX, IDC_EDIT, editText);
        DDX_Check(pDX, IDC_EARLY, early);
        if (duringExchange)
            duringExchange(pDX->m_bSaveAndValidate);
    }

    bool OnNotify(NotifyCode code, int controlId) override
    {
        static constexpr EventEntry<TestDialog> eventTable[] {
            { BN_CLICKED, IDC_GO, [](TestDialog& d) { ++d.goHandled; } },
            { BN_CLICKED, IDC_GO, [](TestDialog&) { ADD_FAILURE() << "a second matching entry ran"; } },
            { NM_CUSTOMDRAW, IDC_SLIDER, [](TestDialog& d) { d.SetDlgItemText(IDC_READ_ONLY, "painted"); } },
        };
        received.emplace_back(code, controlId);
        return dispatchEvent<TestDialog>(eventTable, *this, code, controlId);
    }
};

inline void show(CDialog& dialog)
{
    dialog.Create();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.window()));
    QApplication::processEvents();
}

// Clicks the middle of `widget` through its window, as the window system delivers a user's click:
// the widget on top at that point takes it.
inline void userClick(QWidget& widget, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget* window = widget.window();
    QTest::mouseClick(window->windowHandle(), button, {}, widget.mapTo(window, widget.rect().center()));
}

// The test dialog, shown, with nothing received yet.
class ShownDialog : public testing::Test {
protected:
    void SetUp() override
    {
        show(dialog);
        dialog.received.clear();
    }

    TestDialog dialog;
};
