#include "EvalDialog.h"

#include "AboutDialog.h"
#include "AccessibleTexts.h"
#include "RegisterFiles.h"

#include "adapter/WriteRecord.h"
#include "panel/AdapterStart.h"
#include "panel/Readback.h"
#include "res/EvalDialogTemplate.h"
#include "res/ResourceIds.h"
#include "res/ResourceImagesSetup.h"
#include "res/StringTable.h"

#include <string>
#include <utility>

EvalDialog::EvalDialog(bool simulatedBoard, CDialog* parent)
    : PanelDialog(evalDialogTemplate, parent)
{
    registerResourceImages(simulatedBoard);
}

bool EvalDialog::OnInitDialog()
{
    PanelDialog::OnInitDialog();

    if (CMenu* systemMenu = GetSystemMenu()) {
        const std::string about(loadString(IDS_ABOUTBOX));
        if (!about.empty()) {
            systemMenu->AppendMenu(MF_SEPARATOR);
            systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
        systemMenu->AppendMenu(MF_STRING, IDM_SAVE_REGISTERS, "Save Registers...");
        systemMenu->AppendMenu(MF_STRING, IDM_LOAD_REGISTERS, "Load Registers...");
    }
    SetIcon(IDR_MAINFRAME, true);
    SetIcon(IDR_MAINFRAME, false);
    describeControls(*this, evalDialogAccessibleTexts());

    panel.brightnessSlider.SetRangeMin(0, false);
    panel.brightnessSlider.SetRangeMax(0xFFF, false);
    panel.brightnessSlider.SetTicFreq(1);
    panel.brightnessSlider.SetPos(0);

    const WriteCause cause("start-up");
    startAdapter(*this);
    readbackAll(*this);
    return true;
}

bool EvalDialog::OnNotify(NotifyCode code, int controlId)
{
    // The slider's first drawing writes its position as the window opens, before anyone has moved it.
    const bool firstDrawing = code == NM_CUSTOMDRAW && !std::exchange(m_sliderDrawn, true);
    const WriteCause cause(firstDrawing ? "start-up" : controlName(controlId));
    return dispatchEvent(eventTable(), *this, code, controlId);
}

void EvalDialog::OnSysCommand(unsigned commandId, long parameter)
{
    switch (commandId & 0xFFF0) {
    case IDM_ABOUTBOX: {
        AboutDialog about(this);
        about.DoModal();
        return;
    }
    case IDM_SAVE_REGISTERS:
        return saveRegisterFile(*this, m_adapterName);
    case IDM_LOAD_REGISTERS: {
        const WriteCause cause("Load Registers menu");
        return loadRegisterFile(*this);
    }
    default:
        PanelDialog::OnSysCommand(commandId, parameter);
    }
}
