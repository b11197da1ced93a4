#include "cli/CommandSupport.h"

#include "chip/Number.h"
#include "chip/QuotedWord.h"
#include "chip/RegisterTransfer.h"

using namespace kv3124;

CommandFailure usage(const std::string& message)
{
    return { exitUsage, message };
}

RegisterValues readAll(const CommandContext& context)
{
    ReadResult result = readAllRegisters(context.bus);
    if (!result.error.empty())
        throw CommandFailure { exitBoardFailure, result.error };
    return result.values;
}

std::vector<SnapshotEntry> snapshotEntries(const QString& path)
{
    ParsedSnapshot snapshot = readSnapshotFile(path.toStdString());
    if (!snapshot.error.empty())
        throw usage(snapshot.error);
    return std::move(snapshot.entries);
}

RegisterValues snapshotValues(const QString& path)
{
    RegisterValues values;
    for (const SnapshotEntry& entry : snapshotEntries(path))
        values[entry.reg] = entry.value;
    return values;
}

std::optional<unsigned> numberOption(
    const CommandContext& context, const QString& name, unsigned least, unsigned most, const char* unit)
{
    const auto given = context.options.find(name);
    if (given == context.options.end())
        return std::nullopt;
    const std::string text = given->second.toStdString();
    const std::optional<unsigned> number = parseNumber(text);
    if (!number || *number < least || *number > most)
        throw usage("--" + name.toStdString() + '=' + quotedWord(text) + " is not a number of " + unit + " from "
            + std::to_string(least) + " to " + std::to_string(most));
    return number;
}
