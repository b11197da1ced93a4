// kv3124ctl export: a snapshot, or the chip, as the writes a load makes, in a firmware's language.
#pragma once

#include "cli/Commands.h"

int exportSettings(const CommandContext& context, const QStringList& words);
