// Template 102: the main dialog with all its controls in creation order.
#pragma once

#include "framework/DialogTemplate.h"

extern const DialogTemplate evalDialogTemplate;
