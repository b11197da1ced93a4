// Drop-down lists that choose multi-bit register fields, and the External boxes beside them.
#pragma once

#include "RegisterPanel.h"

#include "framework/CComboBox.h"

class PanelDialog;

// A boost register bit handed to an external part, with the list and field bit it stands for.
struct BoostExternal {
    unsigned char externalBit;
    int fieldBit; // the list's item follows this bit of the register when the box is cleared
    int RegisterPanel::*flag;
    CComboBox RegisterPanel::*list;
};

inline constexpr BoostExternal boostFsetExternal { 0x80, 0, &RegisterPanel::boostFsetExternal,
    &RegisterPanel::boostFsetList };
inline constexpr BoostExternal boostCompExternal { 0x40, 1, &RegisterPanel::boostCompExternal,
    &RegisterPanel::boostCompList };

// A two-bit field of register 0x15 chosen from a list.
struct StepField {
    int shift;
    CComboBox RegisterPanel::*list;
};

inline constexpr StepField stepTimeField { 0, &RegisterPanel::stepList };
inline constexpr StepField smoothingField { 6, &RegisterPanel::smoothingList };

void selectMode(PanelDialog& dialog);
void selectCurrentScale(PanelDialog& dialog);
void toggleIsetExternal(PanelDialog& dialog);
void selectPwmFrequency(PanelDialog& dialog);
void togglePfsetExternal(PanelDialog& dialog);
void toggleBoostExternal(PanelDialog& dialog, const BoostExternal& external);
// Serves both a choice from the list and typing into its field.
void selectBoostFset(PanelDialog& dialog);
void selectBoostComp(PanelDialog& dialog);
// Serves both a choice from the list and typing into its field.
void selectStepField(PanelDialog& dialog, const StepField& field);
