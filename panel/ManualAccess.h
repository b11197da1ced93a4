// Reading and writing any register by the address typed in Reg Addr.
#pragma once

class PanelDialog;

void manualRead(PanelDialog& dialog);
void manualWrite(PanelDialog& dialog);
