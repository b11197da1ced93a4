// What several commands share: their failures, the chip read whole, snapshot files and number options.
#pragma once

#include "cli/CommandFailure.h"
#include "cli/Commands.h"

#include "chip/RegisterBus.h"
#include "chip/Snapshot.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

CommandFailure usage(const std::string& message);
// Throws CommandFailure when a register cannot be read.
kv3124::RegisterValues readAll(const CommandContext& context);
// The entries of a snapshot file; throws CommandFailure for a file that cannot be used.
std::vector<kv3124::SnapshotEntry> snapshotEntries(const QString& path);
kv3124::RegisterValues snapshotValues(const QString& path);
// The option --NAME=N from `least` to `most`; nothing when it is not given. `unit` names N in the message.
std::optional<unsigned> numberOption(
    const CommandContext& context, const QString& name, unsigned least, unsigned most, const char* unit);
