#include "FieldSelectors.h"

#include "HexText.h"
#include "IndexValueTable.h"
#include "PanelDialog.h"
#include "ShownWrite.h"

#include "adapter/AdapterConnection.h"

namespace {

// The last item of the current-scale and PWM-frequency lists stands for the external setting.
constexpr int kExternalItem = 8;
// The last item of the two boost lists.
constexpr int kBoostExternalItem = 2;

bool readFresh(unsigned char registerAddress, unsigned char& r)
{
    return readRegister(deviceAddress(), registerAddress, r) == 0;
}

unsigned char byte(int value)
{
    return static_cast<unsigned char>(value & 0xFF);
}

} // namespace

void selectMode(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    unsigned char r = 0;
    if (!readFresh(0x10, r))
        return;
    dialog.UpdateData(true);
    const auto a = indexValue(m.modeList.GetCurSel());
    if (!a)
        return;
    const unsigned char v = byte((r & 0xFC) | *a);
    writeShown(0x10, v, m.reg10Text);
    dialog.UpdateData(false);
}

void selectCurrentScale(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    unsigned char r = 0;
    if (!readFresh(0x11, r))
        return;
    dialog.UpdateData(true);
    const auto a = indexValue(m.currentScaleList.GetCurSel());
    if (!a)
        return;
    unsigned char v = 0;
    if (m.isetExternal == 1) {
        // The external item's index has no place in the field bits.
        v = *a == kExternalItem ? byte(r | 0x80) : byte(*a | 0x80);
        m.currentScaleList.SetCurSel(kExternalItem);
    } else if (*a == kExternalItem) {
        m.isetExternal = 1;
        v = byte(r | 0x80);
    } else {
        v = byte(*a & 0x07);
    }
    writeShown(0x11, v, m.reg11Text);
    dialog.UpdateData(false);
}

void toggleIsetExternal(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    unsigned char r = 0;
    if (!readFresh(0x11, r))
        return;
    dialog.UpdateData(true);
    unsigned char v = 0;
    if (m.isetExternal == 1) {
        const auto a = indexValue(m.currentScaleList.GetCurSel());
        if (!a)
            return;
        v = *a == kExternalItem ? byte(r | 0x80) : byte(*a | 0x80);
        m.currentScaleList.SetCurSel(kExternalItem);
    } else {
        v = byte(r & 0x07);
        m.currentScaleList.SetCurSel(r & 0x07);
    }
    writeShown(0x11, v, m.reg11Text);
    dialog.UpdateData(false);
}

void selectPwmFrequency(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    unsigned char r = 0;
    if (!readFresh(0x12, r))
        return;
    m.reg12Text = formatHex(r);
    const unsigned char b = parseHexByte(m.reg12Text) & 0xF8;
    dialog.UpdateData(true);
    const auto a = indexValue(m.pwmFrequencyList.GetCurSel());
    if (!a)
        return;
    unsigned char v = 0;
    if (m.pfsetExternal == 1) {
        v = *a == kExternalItem ? byte(r | 0x80) : byte(b | 0x80 | *a);
        m.pwmFrequencyList.SetCurSel(kExternalItem);
    } else if (*a == kExternalItem) {
        m.pfsetExternal = 1;
        v = byte(r | 0x80);
    } else {
        v = byte((b & 0x38) | *a);
    }
    writeShown(0x12, v, m.reg12Text);
    dialog.UpdateData(false);
}

void togglePfsetExternal(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    unsigned char r = 0;
    if (!readFresh(0x12, r))
        return;
    dialog.UpdateData(true);
    unsigned char v = 0;
    if (m.pfsetExternal == 1) {
        v = byte(r | 0x80);
        m.pwmFrequencyList.SetCurSel(kExternalItem);
    } else {
        v = byte(r & 0x7F);
        m.pwmFrequencyList.SetCurSel(r & 0x07);
    }
    writeShown(0x12, v, m.reg12Text);
    dialog.UpdateData(false);
}

void toggleBoostExternal(PanelDialog& dialog, const BoostExternal& external)
{
    RegisterPanel& m = dialog.panel;
    CComboBox& list = m.*external.list;
    unsigned char r = 0;
    if (!readFresh(0x13, r))
        return;
    m.reg13Text = formatHex(r);
    dialog.UpdateData(true);
    unsigned char v = 0;
    if (m.*external.flag == 1) {
        v = byte(r | external.externalBit);
        list.SetCurSel(kBoostExternalItem);
    } else {
        // The list follows the chip's own field bit, not a fixed item.
        list.SetCurSel((r >> external.fieldBit) & 1);
        v = byte(r & ~external.externalBit);
    }
    writeShown(0x13, v, m.reg13Text);
    dialog.UpdateData(false);
}

void selectBoostFset(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    unsigned char r = 0;
    if (!readFresh(0x13, r))
        return;
    m.reg13Text = formatHex(r);
    dialog.UpdateData(true);
    const int s = m.boostFsetList.GetCurSel();
    unsigned char v = 0;
    if (m.boostFsetExternal == 1) {
        v = byte(r | 0x80);
        m.boostFsetList.SetCurSel(kBoostExternalItem);
    } else if (s == CB_ERR) {
        return;
    } else if (s == kBoostExternalItem) {
        m.boostFsetExternal = 1;
        v = byte(r | 0x80);
    } else {
        v = byte((r & 0x7E) | m.boostFsetList.GetCurSel());
    }
    writeShown(0x13, v, m.reg13Text);
    dialog.UpdateData(false);
}

void selectBoostComp(PanelDialog& dialog)
{
    RegisterPanel& m = dialog.panel;
    dialog.UpdateData(true);
    unsigned char r = 0;
    if (!readFresh(0x13, r))
        return;
    const int s = m.boostCompList.GetCurSel();
    unsigned char v = 0;
    if (m.boostCompExternal == 1) {
        v = r;
        m.boostCompList.SetCurSel(kBoostExternalItem);
    } else if (s == CB_ERR) {
        return;
    } else if (s == kBoostExternalItem) {
        m.boostCompExternal = 1;
        v = byte(r | 0x40);
    } else {
        v = byte((r & 0xFD) | (s * 2));
    }
    writeShown(0x13, v, m.reg13Text);
    dialog.UpdateData(false);
}

void selectStepField(PanelDialog& dialog, const StepField& field)
{
    RegisterPanel& m = dialog.panel;
    unsigned char r = 0;
    if (!readFresh(0x15, r))
        return;
    m.reg15Text = formatHex(r);
    dialog.UpdateData(true);
    const auto a = indexValue((m.*field.list).GetCurSel());
    if (!a)
        return;
    const int fieldMask = 0x03 << field.shift;
    const unsigned char v = byte((*a << field.shift) | (r & ~fieldMask));
    writeShown(0x15, v, m.reg15Text);
    dialog.UpdateData(false);
}
