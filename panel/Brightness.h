// The 12-bit brightness in registers 0x03 and 0x04: slider, Target field, Set and percentage.
#pragma once

class PanelDialog;

// Runs at the start of every paint of the slider: the slider is the master.
void brightnessChanged(PanelDialog& dialog);
void targetChanged(PanelDialog& dialog);
void setBrightness(PanelDialog& dialog);
