// The tool's commands on an open adapter.
#pragma once

#include "chip/RegisterBus.h"

#include <QStringList>

#include <iosfwd>
#include <string>

struct CommandContext {
    kv3124::RegisterBus bus;
    std::string adapter; // for snapshot headers
    std::string firmware; // the version line
    bool json = false; // dump as JSON
    std::istream& in; // the script of `run -`
    std::ostream& out;
};

// True for the names runCommand knows.
bool isCommand(const QString& name);
// Flushes standard output; throws CommandFailure when it, or an earlier write, failed (a full disk, a closed pipe).
void flushOutput(std::ostream& out);
// Runs one command: its name, then its arguments. Throws CommandFailure.
void runCommand(QStringList words, const CommandContext& context);
