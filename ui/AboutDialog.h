// The About box, template 100.
#pragma once

#include "framework/CDialog.h"

class AboutDialog : public CDialog {
public:
    explicit AboutDialog(CDialog* parent = nullptr);

protected:
    bool OnInitDialog() override;
};
