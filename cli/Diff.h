// kv3124ctl diff: two snapshots, or a snapshot and the chip, field by field.
#pragma once

#include "cli/Commands.h"

// Prints the differences; exitConditionMet when there are any.
int diff(const CommandContext& context, const QStringList& words);
