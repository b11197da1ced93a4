// Lookups into a dialog template for the tests.
#pragma once

#include "framework/DialogTemplate.h"

#include <tuple>

inline std::tuple<int, int, int, int> rectOf(const ControlTemplate& control)
{
    return { control.rect.x, control.rect.y, control.rect.cx, control.rect.cy };
}

// The control with this id; nullptr when the template has none.
inline const ControlTemplate* findControl(const DialogTemplate& dialog, int id)
{
    for (const ControlTemplate& control : dialog.controls) {
        if (control.id == id)
            return &control;
    }
    return nullptr;
}
