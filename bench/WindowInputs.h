// One input per family of operations, given to the real main window as a user gives it.
#pragma once

#include "ui/EvalDialog.h"

#include <array>

struct OperationFamily {
    const char* name;
    // `turn` counts this family's inputs; even and odd turns undo each other where the input moves something.
    void (*input)(EvalDialog& window, int turn);
};

extern const std::array<OperationFamily, 8> operationFamilies;

// Space on `button`, the key a user clicks a focused button or check box with.
void bareControlPress(QWidget& button);

// The main window on the simulated board, shown and painted once, with Reg Addr 14 and Data 3F typed in.
EvalDialog& benchWindow();
