// A drop-down list with an editable field, bound by DDX_Control.
#pragma once

#include "CWnd.h"

#include <string>

constexpr int CB_ERR = -1;

class CComboBox : public CWnd {
public:
    // The selected index, or CB_ERR when no item is selected.
    int GetCurSel() const;
    // Selects `index` (CB_ERR clears the selection) without raising CBN_SELCHANGE; returns it or CB_ERR.
    int SetCurSel(int index);
    int GetCount() const;
    int AddString(const std::string& text);
    std::string GetLBText(int index) const;
};
