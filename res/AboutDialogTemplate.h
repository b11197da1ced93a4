// Template 100: the About box.
#pragma once

#include "framework/DialogTemplate.h"

extern const DialogTemplate aboutDialogTemplate;
