// A small dialog with a few controls of each kind that records the notifications it receives.
#pragma once

#include "framework/CComboBox.h"
#include "framework/CDialog.h"
#include "framework/CSliderCtrl.h"

#include <Qt>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSlider;
class QWidget;

enum TestControl {
    IDC_GO = 10,
    IDC_EARLY = 20, // check box created before the group box around it
    IDC_LATE = 21, // its handler shows the model from inside a notification
    IDC_EDIT = 30,
    IDC_READ_ONLY = 31,
    IDC_LIST = 40,
    IDC_SORTED_LIST = 41,
    IDC_SLIDER = 50,
    IDC_STATUS = 60,
};

constexpr int testBitmapId = 7001;
constexpr int testIconId = 7002;

extern const DialogTemplate testDialogTemplate;

// Clicks the middle of `widget` through its window, as the window system delivers a user's click:
// the widget on top at that point takes it, and a window blocked by a modal dialog takes none.
void userClick(QWidget& widget, Qt::MouseButton button = Qt::LeftButton);

class TestDialog : public CDialog {
public:
    explicit TestDialog(CDialog* parent = nullptr);

    // Bound fields
    std::string editText;
    std::string readOnlyText;
    int early = 0;
    int late = 0;
    CComboBox list;
    CComboBox sortedList;
    CSliderCtrl slider;

    // Every notification that reached the event table, and the handlers that ran, in order.
    std::vector<std::pair<NotifyCode, int>> received;
    std::vector<std::string> handled;
    std::vector<unsigned> sysCommands;
    // Runs at the end of each data exchange, with the exchange's direction.
    std::function<void(bool)> duringExchange;

    QPushButton* button(int id) const;
    QCheckBox* checkBox(int id) const;
    QLineEdit* edit(int id) const;
    QComboBox* combo(int id) const;
    QSlider* sliderWidget() const;

    std::size_t count(NotifyCode code, int id) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnNotify(NotifyCode code, int controlId) override;
    void OnSysCommand(unsigned commandId, long parameter) override;
};
