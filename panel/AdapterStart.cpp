#include "AdapterStart.h"

#include "PanelDialog.h"

#include "adapter/AdapterConnection.h"
#include "res/ResourceIds.h"

#include <cstdio>
#include <string>

namespace {

// A version byte packs major and minor number as high and low nibble.
std::string formatVersion(const char* format, unsigned char versionByte)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, versionByte >> 4, versionByte & 15);
    return buffer;
}

} // namespace

void startAdapter(PanelDialog& dialog)
{
    std::string version = "Version: ";
    unsigned char rfwByte = 0;
    if (adapterInit(rfwByte) != 0) {
        dialog.SetDlgItemText(IDC_STATUS, "USB Initialization Error");
        return;
    }
    version += formatVersion("USB RFW:%d.%d", rfwByte);
    unsigned char ffwByte = 0;
    firmwareVersionByte(ffwByte);
    version += formatVersion("; FFW:%d.%d", ffwByte);
    dialog.SetDlgItemText(IDC_VERSION, version);
    dialog.SetDlgItemText(IDC_STATUS, "Initialization Complete");
}
