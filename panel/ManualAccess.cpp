#include "ManualAccess.h"

#include "HexText.h"
#include "PanelDialog.h"

#include "adapter/AdapterConnection.h"

void manualRead(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    dialog.UpdateData(true);
    unsigned char d = parseHexByte(m.dataText);
    const unsigned char a = parseHexByte(m.regAddrText);
    // A failed read leaves d as typed, so Data keeps its value, reformatted.
    readRegister(deviceAddress(), a, d);
    m.dataText = formatHex(d);
    dialog.UpdateData(false);
}

void manualWrite(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    dialog.UpdateData(true);
    const unsigned char d = parseHexByte(m.dataText);
    const unsigned char a = parseHexByte(m.regAddrText);
    writeRegister(deviceAddress(), a, d);
    dialog.UpdateData(false);
}
