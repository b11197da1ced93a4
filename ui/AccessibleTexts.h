// What screen readers say for the controls whose captions alone do not tell what they set: the
// lists, edits, slider and check boxes by name, the pictures by name and description. Captions stay.
#pragma once

#include <span>
#include <string_view>

class CDialog;

struct AccessibleText {
    int id; // a control's id, or for a picture (which has none) its image's id
    std::string_view name;
    std::string_view description = {};
    bool picture = false;
};

std::span<const AccessibleText> evalDialogAccessibleTexts();
std::span<const AccessibleText> aboutDialogAccessibleTexts();

// Gives each control of `texts` in `dialog` its name and description.
void describeControls(CDialog& dialog, std::span<const AccessibleText> texts);
