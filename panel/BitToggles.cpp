#include "BitToggles.h"

#include "HexText.h"
#include "PanelDialog.h"
#include "ShownWrite.h"

#include "adapter/AdapterConnection.h"
#include "res/ResourceIds.h"

namespace {

constexpr unsigned char kLedBits = 0x3F;

void setAllLedFlags(RegisterPanel& m, int value)
{
    m.ledEnable1 = m.ledEnable2 = m.ledEnable3 = m.ledEnable4 = m.ledEnable5 = m.ledEnable6 = value;
}

} // namespace

void toggleBit(PanelDialog& dialog, const BitToggle& toggle)
{
    RegisterPanel& m = dialog.panel;
    unsigned char r = 0;
    // Nothing is computed from a byte that was never read; the clicked box keeps its new mark.
    if (readRegister(deviceAddress(), toggle.registerAddress, r) != 0)
        return;
    m.*toggle.cell = formatHex(r);
    dialog.UpdateData(true);
    unsigned char v = r & static_cast<unsigned char>(~toggle.bit);
    if (m.*toggle.flag == 1)
        v |= toggle.bit;
    const bool written = writeShown(toggle.registerAddress, v, m.*toggle.cell);
    dialog.UpdateData(false);
    if (toggle.reportsReady && written)
        dialog.SetDlgItemText(IDC_STATUS, "Ready0");
}

void switchAllLeds(PanelDialog& dialog, bool on)
{
    RegisterPanel& m = dialog.panel;
    unsigned char r = 0;
    if (readRegister(deviceAddress(), 0x14, r) != 0)
        return;
    const unsigned char v = on ? (r | kLedBits) : (r & static_cast<unsigned char>(~kLedBits));
    dialog.UpdateData(true);
    writeShown(0x14, v, m.reg14Text);
    setAllLedFlags(m, on ? 1 : 0);
    dialog.UpdateData(false);
}

void resetChip(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    dialog.UpdateData(true);
    writeRegister(deviceAddress(), 0x00, 0x80);
    m.enableBacklight = 0;
    m.targetText.clear();
    // The slider's next drawing writes position 0 to the brightness registers.
    m.brightnessSlider.SetPos(0);
    dialog.UpdateData(false);
}
