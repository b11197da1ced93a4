// The window menu's register files: the chip's registers saved to a snapshot file, and loaded back.
#pragma once

#include <string>

class PanelDialog;

// Asks for a file and writes every register Readback All reads into it, with the adapter and the
// window's version line in its header. Failures are said in a message box; nothing is written then.
void saveRegisterFile(PanelDialog& dialog, const std::string& adapterName);
// Asks for a file, checks all of it, writes the panel's registers from it, then runs Readback All so
// the window shows what the chip holds. Failures are said in a message box, never on the status line.
void loadRegisterFile(PanelDialog& dialog);
