// Control notifications, by the names the dialog program uses for them.
#pragma once

enum NotifyCode {
    BN_CLICKED, // the user clicked a button or check box, or pressed Space on it
    CBN_SELCHANGE, // the user chose a list item (also the one already chosen)
    CBN_EDITCHANGE, // the user changed the text in a list's editable field
    EN_UPDATE, // the user changed an edit's text
    NM_CUSTOMDRAW, // a slider starts to paint itself
};

// Results of a modal run.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// System commands that reach CDialog::OnSysCommand.
constexpr unsigned SC_CLOSE = 0xF060;
