// Data exchange between a dialog's model fields and its controls.
#pragma once

#include <string>

class CDialog;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool saveAndValidate)
        : m_pDlgWnd(&dialog)
        , m_bSaveAndValidate(saveAndValidate)
    {
    }

    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate; // true: controls to fields (gather); false: fields to controls (show)
};

// Text of an edit; a show leaves a control whose text already equals the field untouched.
void DDX_Text(CDataExchange* pDX, int controlId, std::string& value);
// State of a check box: 1 checked, 0 clear.
void DDX_Check(CDataExchange* pDX, int controlId, int& value);
// Attaches `control` to the dialog's control; no data moves.
void DDX_Control(CDataExchange* pDX, int controlId, CWnd& control);
