#include "Readback.h"

#include "HexText.h"
#include "PanelDialog.h"
#include "ShownWrite.h"

#include "adapter/AdapterConnection.h"

#include <array>

namespace {

struct ReadbackCell {
    unsigned char registerAddress;
    std::string RegisterPanel::*text;
};

constexpr std::array<ReadbackCell, 18> readbackCells { {
    { 0x00, &RegisterPanel::reg00Text },
    { 0x01, &RegisterPanel::reg01Text },
    { 0x02, &RegisterPanel::reg02Text },
    { 0x03, &RegisterPanel::reg03Text },
    { 0x04, &RegisterPanel::reg04Text },
    { 0x10, &RegisterPanel::reg10Text },
    { 0x11, &RegisterPanel::reg11Text },
    { 0x12, &RegisterPanel::reg12Text },
    { 0x13, &RegisterPanel::reg13Text },
    { 0x14, &RegisterPanel::reg14Text },
    { 0x15, &RegisterPanel::reg15Text },
    { 0x16, &RegisterPanel::reg16Text },
    { 0x17, &RegisterPanel::reg17Text },
    { 0x18, &RegisterPanel::reg18Text },
    { 0x1C, &RegisterPanel::reg1CText },
    { 0x1D, &RegisterPanel::reg1DText },
    { 0x1E, &RegisterPanel::reg1EText },
    { 0x1F, &RegisterPanel::reg1FText },
} };

int bit(unsigned char byte, int position)
{
    return (byte >> position) & 1;
}

} // namespace

void readbackAll(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    dialog.UpdateData(true);

    // A register whose read failed keeps its cell, and nothing is derived from it.
    std::array<bool, 256> wasRead {};
    for (const auto& cell : readbackCells) {
        unsigned char byte = 0;
        if (readRegister(deviceAddress(), cell.registerAddress, byte) == 0) {
            m.*cell.text = formatHex(byte);
            wasRead[cell.registerAddress] = true;
        }
    }

    if (wasRead[0x00]) {
        const unsigned char r = parseHexByte(m.reg00Text);
        m.slewRate = bit(r, 2);
        m.enableBacklight = bit(r, 0);
        m.spreadSpectrum = bit(r, 1);
    }
    if (wasRead[0x01]) {
        const unsigned char r = parseHexByte(m.reg01Text);
        m.uvlo = bit(r, 0);
        m.thermalShutdown = bit(r, 1);
        m.overCurrent = bit(r, 2);
        m.overVoltage = bit(r, 3);
        m.underVoltage = bit(r, 4);
        m.openFault = bit(r, 7);
        m.shortFault = bit(r, 6);
    }
    if (wasRead[0x11]) {
        const unsigned char r = parseHexByte(m.reg11Text);
        m.isetExternal = bit(r, 7);
        m.currentScaleList.SetCurSel(m.isetExternal ? 8 : r & 0x07);
    }
    if (wasRead[0x10]) {
        const unsigned char r = parseHexByte(m.reg10Text);
        m.pwmStandby = bit(r, 7);
        m.autoString = bit(r, 2);
        m.modeList.SetCurSel(r & 0x03);
    }
    if (wasRead[0x12]) {
        const unsigned char r = parseHexByte(m.reg12Text);
        m.pfsetExternal = bit(r, 7);
        m.pwmFrequencyList.SetCurSel(m.pfsetExternal ? 8 : r & 0x07);
    }
    if (wasRead[0x13]) {
        const unsigned char r = parseHexByte(m.reg13Text);
        m.boostFsetExternal = bit(r, 7);
        m.boostFsetList.SetCurSel(m.boostFsetExternal ? 2 : bit(r, 0));
        m.boostCompExternal = bit(r, 6);
        m.boostCompList.SetCurSel(m.boostCompExternal ? 2 : bit(r, 1));
    }
    if (wasRead[0x15]) {
        const unsigned char r = parseHexByte(m.reg15Text);
        m.smoothingList.SetCurSel((r >> 6) & 0x03);
        m.stepList.SetCurSel(r & 0x03);
    }

    // The configuration register goes back with bit 3 clear on every run.
    if (wasRead[0x10]) {
        writeShown(0x10, parseHexByte(m.reg10Text) & 0xF7, m.reg10Text);
    }

    dialog.UpdateData(false);
}
