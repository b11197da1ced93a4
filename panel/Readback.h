// Readback All: every register the panel knows into its cell, and the boxes and lists derived from them.
#pragma once

class PanelDialog;

void readbackAll(PanelDialog& dialog);
