#include "Brightness.h"

#include "HexText.h"
#include "PanelDialog.h"
#include "ShownWrite.h"

#include "adapter/AdapterConnection.h"
#include "res/ResourceIds.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr long kMaxBrightness = 0xFFF;
// The single-precision value nearest 100/4095, multiplied in double.
constexpr double kPercentPerStep = static_cast<double>(100.0f / 4095.0f);

std::string formatPercent(int position)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%2.1f", position * kPercentPerStep);
    return buffer;
}

// Bits 3 to 0 go to the upper nibble of register 0x03 (its lower nibble is 0), bits 11 to 4 to register 0x04.
struct BrightnessBytes {
    unsigned char lo;
    unsigned char hi;
};

BrightnessBytes brightnessBytes(unsigned long t)
{
    return { static_cast<unsigned char>((t * 16) & 0xFF), static_cast<unsigned char>((t >> 4) & 0xFF) };
}

// Both writes are made even when the first fails.
void writeBrightness(const BrightnessBytes& bytes)
{
    writeRegister(deviceAddress(), 0x03, bytes.lo);
    writeRegister(deviceAddress(), 0x04, bytes.hi);
}

} // namespace

void brightnessChanged(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    dialog.UpdateData(true);
    const int p = m.brightnessSlider.GetPos();
    m.targetText = formatHex(static_cast<unsigned long>(p));
    m.percentText = formatPercent(p);
    const BrightnessBytes bytes = brightnessBytes(static_cast<unsigned long>(p));
    const bool loWritten = writeShown(0x03, bytes.lo, m.reg03Text);
    const bool hiWritten = writeShown(0x04, bytes.hi, m.reg04Text);
    dialog.UpdateData(false);
    if (loWritten && hiWritten)
        dialog.SetDlgItemText(IDC_STATUS, "Ready4");
}

void targetChanged(PanelDialog& dialog)
{
    dialog.UpdateData(true);
    writeBrightness(brightnessBytes(parseHexUnsigned(dialog.panel.targetText)));
    dialog.UpdateData(false);
}

void setBrightness(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    dialog.UpdateData(true);
    const long t = parseHexSigned(m.targetText);
    m.brightnessSlider.SetPos(static_cast<int>(std::clamp(t, 0L, kMaxBrightness)));
    writeBrightness(brightnessBytes(static_cast<unsigned long>(t)));
    dialog.UpdateData(false);
}
