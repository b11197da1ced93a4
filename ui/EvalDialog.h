// The main window: the register panel on template 102, its chrome and its event table.
#pragma once

#include "panel/PanelDialog.h"

#include "framework/EventTable.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>

class EvalDialog : public PanelDialog {
public:
    explicit EvalDialog(bool simulatedBoard, CDialog* parent = nullptr);

    // The adapter as the command line named it, for the header of saved register files.
    void setAdapterName(std::string name) { m_adapterName = std::move(name); }

    static std::span<const EventEntry<EvalDialog>> eventTable();

protected:
    bool OnInitDialog() override;
    bool OnNotify(NotifyCode code, int controlId) override;
    void OnSysCommand(unsigned commandId, long parameter) override;

private:
    // What a recording calls a control of the event table.
    static std::string_view controlName(int controlId);

    std::string m_adapterName = "sim";
    bool m_sliderDrawn = false;
};
