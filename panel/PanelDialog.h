// A dialog that holds the register panel: the operations act on it.
#pragma once

#include "RegisterPanel.h"

#include "framework/CDialog.h"

class PanelDialog : public CDialog {
public:
    using CDialog::CDialog;

    RegisterPanel panel;

protected:
    void DoDataExchange(CDataExchange* pDX) override { panel.DoDataExchange(pDX); }
};
