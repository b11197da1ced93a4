// Check boxes and buttons that switch single bits of registers 0x00, 0x10 and 0x14, and Reset.
#pragma once

#include "RegisterPanel.h"

#include <string>

class PanelDialog;

// One check box that owns one bit of one register.
struct BitToggle {
    unsigned char registerAddress;
    std::string RegisterPanel::*cell;
    unsigned char bit;
    int RegisterPanel::*flag;
    // The register 0x00 boxes report "Ready0" after their write.
    bool reportsReady;
};

inline constexpr BitToggle ledEnable1Toggle { 0x14, &RegisterPanel::reg14Text, 0x01, &RegisterPanel::ledEnable1,
    false };
inline constexpr BitToggle ledEnable2Toggle { 0x14, &RegisterPanel::reg14Text, 0x02, &RegisterPanel::ledEnable2,
    false };
inline constexpr BitToggle ledEnable3Toggle { 0x14, &RegisterPanel::reg14Text, 0x04, &RegisterPanel::ledEnable3,
    false };
inline constexpr BitToggle ledEnable4Toggle { 0x14, &RegisterPanel::reg14Text, 0x08, &RegisterPanel::ledEnable4,
    false };
inline constexpr BitToggle ledEnable5Toggle { 0x14, &RegisterPanel::reg14Text, 0x10, &RegisterPanel::ledEnable5,
    false };
inline constexpr BitToggle ledEnable6Toggle { 0x14, &RegisterPanel::reg14Text, 0x20, &RegisterPanel::ledEnable6,
    false };
inline constexpr BitToggle backlightToggle { 0x00, &RegisterPanel::reg00Text, 0x01, &RegisterPanel::enableBacklight,
    true };
inline constexpr BitToggle spreadSpectrumToggle { 0x00, &RegisterPanel::reg00Text, 0x02, &RegisterPanel::spreadSpectrum,
    true };
inline constexpr BitToggle slewRateToggle { 0x00, &RegisterPanel::reg00Text, 0x04, &RegisterPanel::slewRate, true };
inline constexpr BitToggle autoStringToggle { 0x10, &RegisterPanel::reg10Text, 0x04, &RegisterPanel::autoString,
    false };
inline constexpr BitToggle pwmStandbyToggle { 0x10, &RegisterPanel::reg10Text, 0x80, &RegisterPanel::pwmStandby,
    false };

void toggleBit(PanelDialog& dialog, const BitToggle& toggle);
// All On (true) and All Off (false): LED bits 0 to 5 of register 0x14 and their six boxes.
void switchAllLeds(PanelDialog& dialog, bool on);
void resetChip(PanelDialog& dialog);
