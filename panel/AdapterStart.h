// Starts the adapter and reports the result in the version and status lines.
#pragma once

class PanelDialog;

void startAdapter(PanelDialog& dialog);
