#include "AdapterStart.h"

#include "PanelDialog.h"

#include "adapter/AdapterConnection.h"
#include "adapter/AdapterTexts.h"
#include "res/ResourceIds.h"

#include <string>

void startAdapter(PanelDialog& dialog)
{
    unsigned char rfwByte = 0;
    if (adapterInit(rfwByte) != 0) {
        dialog.SetDlgItemText(IDC_STATUS, "USB Initialization Error");
        return;
    }
    unsigned char ffwByte = 0;
    firmwareVersionByte(ffwByte);
    dialog.SetDlgItemText(IDC_VERSION, versionLine(rfwByte, ffwByte));
    dialog.SetDlgItemText(IDC_STATUS, "Initialization Complete");
}
