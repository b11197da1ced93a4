// kv3124ctl watch: the status register, or every register, over time, a line per change.
#pragma once

#include "cli/Commands.h"

// Returns exitConditionMet when --until's condition held at a read.
int watch(const CommandContext& context, const QStringList& words);
