// The tool's commands on an open adapter.
#pragma once

#include "cli/Clock.h"

#include "chip/RegisterBus.h"

#include <QStringList>

#include <iosfwd>
#include <map>
#include <string>

struct CommandContext {
    kv3124::RegisterBus bus;
    std::string adapter; // for snapshot headers
    std::string firmware; // the version line
    bool json = false; // dump, watch and diff as JSON
    std::istream& in; // the script of `run -`
    std::ostream& out;
    std::ostream& err; // what watch says while it goes on
    const Clock& clock;
    std::map<QString, QString> options = {}; // the command's own --NAME[=VALUE], by name
};

// A command's words, its options taken out and checked.
struct CommandLine {
    QStringList words; // the name, then the arguments
    std::map<QString, QString> options;
    bool json = false;
};

// True for the names runCommand knows.
bool isCommand(const QString& name);
// Checks the words against the command's synopsis. Throws CommandFailure.
CommandLine parseCommand(QStringList words);
// False when the command works on files alone (diff A B, export FILE), so that no adapter is opened.
bool needsChip(const CommandLine& command);
// Flushes standard output; throws CommandFailure when it, or an earlier write, failed (a full disk, a closed pipe).
void flushOutput(std::ostream& out);
// Runs one command. Returns exitDone or exitConditionMet; throws CommandFailure.
int runCommand(const CommandLine& command, const CommandContext& context);
