#include "cli/Commands.h"

#include "cli/CommandSupport.h"
#include "cli/DescriptorBuffer.h"
#include "cli/Diff.h"
#include "cli/Export.h"
#include "cli/RegisterJson.h"
#include "cli/ScriptLine.h"
#include "cli/Watch.h"

#include "chip/ChipDescription.h"
#include "chip/FieldTransfer.h"
#include "chip/FieldValue.h"
#include "chip/Number.h"
#include "chip/QuotedWord.h"
#include "chip/RegisterTransfer.h"
#include "chip/Snapshot.h"
#include "ptx/ErrorText.h"

#include <QDateTime>
#include <QString>

#include <cerrno>
#include <fstream>
#include <map>
#include <ostream>

#include <sys/stat.h>

namespace {

using namespace kv3124;

std::uint8_t byteArgument(const QString& word, const char* what)
{
    const std::optional<unsigned> number = parseNumber(word.toStdString());
    if (!number || *number > 0xFF)
        throw usage(std::string(what) + ' ' + quotedWord(word.toStdString()) + " is not a number from 0 to 0xFF");
    return static_cast<std::uint8_t>(*number);
}

std::uint8_t readByte(const CommandContext& context, std::uint8_t reg)
{
    std::uint8_t value = 0;
    if (!context.bus.read(reg, value))
        throw CommandFailure { exitBoardFailure, readFailure(context.bus, reg) };
    return value;
}

void writeByte(const CommandContext& context, std::uint8_t reg, std::uint8_t value)
{
    if (!context.bus.write(reg, value))
        throw CommandFailure { exitBoardFailure, writeFailure(context.bus, reg, value) };
}

const Field& fieldArgument(const QString& word)
{
    if (const Field* field = findField(word.toStdString()))
        return *field;
    std::string names;
    for (const Field& field : fields())
        names += (names.empty() ? "" : ", ") + std::string(field.name);
    throw usage("unknown field " + quotedWord(word.toStdString()) + " (valid fields: " + names + ")");
}

int dump(const CommandContext& context, const QStringList&)
{
    const RegisterValues values = readAll(context);
    context.out << (context.json ? registersJson(values) : registerLines(values));
    return exitDone;
}

int read(const CommandContext& context, const QStringList& words)
{
    context.out << hex(readByte(context, byteArgument(words[1], "register"))) << '\n';
    return exitDone;
}

int write(const CommandContext& context, const QStringList& words)
{
    const std::uint8_t reg = byteArgument(words[1], "register");
    if (isReadOnlyRegister(reg))
        throw usage("register " + hex(reg) + " is read-only");
    writeByte(context, reg, byteArgument(words[2], "value"));
    return exitDone;
}

int get(const CommandContext& context, const QStringList& words)
{
    const Field& field = fieldArgument(words[1]);
    const FieldRead read = readField(context.bus, field);
    if (!read.error.empty())
        throw CommandFailure { exitBoardFailure, read.error };
    context.out << field.name << '=' << fieldValueText(field, read.value) << '\n';
    return exitDone;
}

int set(const CommandContext& context, const QStringList& words)
{
    const Field& field = fieldArgument(words[1]);
    if (findRegister(field.reg)->access != RegisterAccess::Written)
        throw usage(std::string(field.name) + " is in the read-only register " + hex(field.reg));
    const std::optional<unsigned> value = parseFieldValue(field, words[2].toStdString());
    if (!value)
        throw usage(quotedWord(words[2].toStdString()) + " is not a value of " + std::string(field.name)
            + " (valid: " + validValues(field) + ")");
    if (const std::string error = writeField(context.bus, field, *value); !error.empty())
        throw CommandFailure { exitBoardFailure, error };
    return exitDone;
}

int save(const CommandContext& context, const QStringList& words)
{
    const SnapshotHeader header { QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString(), context.adapter,
        context.firmware };
    if (const std::string error = writeSnapshotFile(words[1].toStdString(), header, readAll(context)); !error.empty())
        throw usage(error);
    return exitDone;
}

int load(const CommandContext& context, const QStringList& words)
{
    const LoadResult result = loadSnapshot(context.bus, snapshotEntries(words[1]));
    if (!result.error.empty())
        throw CommandFailure { exitBoardFailure, result.error };
    context.out << "written: " << hexList(result.written) << "\nskipped: " << hexList(result.skipped) << '\n';
    return exitDone;
}

// A script file, a pipe included (`run <(...)`), which is read as it comes.
std::istream& openScript(const QString& name, std::ifstream& file)
{
    const std::string path = name.toStdString();
    struct stat status { };
    if (::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        throw usage(path + " is a folder");
    file.open(path, std::ios::binary);
    if (!file)
        throw usage(path + ": " + errorText(errno));
    return file;
}

// One adapter for the whole script, read and run a line at a time, each answer out before the next line is read;
// the first failing line stops it. A condition met on a line (diff's differences, watch's --until) does not.
int run(const CommandContext& context, const QStringList& words)
{
    std::ifstream file;
    std::istream& script = words[1] == "-" ? context.in : openScript(words[1], file);
    int status = exitDone;
    for (int number = 1;; ++number) {
        try {
            const std::optional<std::string> line = readScriptLine(script, number == 1);
            if (!line)
                return status;
            const QStringList lineWords = scriptWords(QString::fromStdString(*line));
            if (lineWords.value(0) == "run")
                throw usage("run cannot be nested");
            if (!lineWords.isEmpty() && runCommand(parseCommand(lineWords), context) == exitConditionMet)
                status = exitConditionMet;
            flushOutput(context.out);
        } catch (const CommandFailure& failure) {
            throw CommandFailure { failure.exitCode, "line " + std::to_string(number) + ": " + failure.message };
        }
    }
}

struct Command {
    int fewest; // arguments
    int most;
    int (*run)(const CommandContext&, const QStringList&);
    const char* synopsis;
    QStringList options = {}; // "--all", "--interval=MS"; --json goes with every command
    int chipless = -1; // with this many arguments the command works on files alone
};

const std::map<QString, Command> commands {
    { "dump", { 0, 0, dump, "dump [--json]" } },
    { "read", { 1, 1, read, "read REG" } },
    { "write", { 2, 2, write, "write REG VALUE" } },
    { "get", { 1, 1, get, "get FIELD" } },
    { "set", { 2, 2, set, "set FIELD VALUE" } },
    { "save", { 1, 1, save, "save FILE" } },
    { "load", { 1, 1, load, "load FILE" } },
    { "run", { 1, 1, run, "run FILE|-" } },
    { "watch",
        { 0, 0, watch,
            "watch [--all] [--interval=MS] [--until=FIELD[,FIELD...]|fault] [--count=N] [--for=SECONDS] [--json]",
            { "--all", "--interval=MS", "--until=FIELD", "--count=N", "--for=SECONDS" } } },
    { "diff", { 1, 2, diff, "diff [--all] [--json] A.kv3124 [B.kv3124]", { "--all" }, 2 } },
    { "export", { 0, 1, exportSettings, "export [--format=c|i2cset|json] [FILE]", { "--format=c|i2cset|json" }, 1 } },
};

const Command& commandNamed(const QString& name)
{
    const auto command = commands.find(name);
    if (command == commands.end())
        throw usage("unknown command " + quotedWord(name.toStdString()));
    return command->second;
}

// Takes the option `word` ("--NAME" or "--NAME=VALUE") into `line` when `command` has it.
void takeOption(const QString& word, const Command& command, CommandLine& line)
{
    const QString name = word.section(u'=', 0, 0);
    const bool valued = word.contains(u'=');
    if (word == "--json") {
        line.json = true;
        return;
    }
    const auto known = std::ranges::find_if(
        command.options, [&](const QString& option) { return option.section(u'=', 0, 0) == name; });
    if (known == command.options.end())
        throw usage("unknown option " + quotedWord(word.toStdString()) + " for " + line.words[0].toStdString()
            + (command.options.isEmpty() ? "" : " (valid: " + command.options.join(", ").toStdString() + ")"));
    if (valued != known->contains(u'='))
        throw usage("usage: " + known->toStdString());
    line.options[name.mid(2)] = word.mid(word.indexOf(u'=') + 1);
}

} // namespace

bool isCommand(const QString& name)
{
    return commands.contains(name);
}

CommandLine parseCommand(QStringList words)
{
    const Command& command = commandNamed(words[0]);
    CommandLine line { { words[0] }, {} };
    for (const QString& word : words.mid(1)) {
        if (word.startsWith("--"))
            takeOption(word, command, line);
        else
            line.words << word;
    }
    if (line.words.size() <= command.fewest || line.words.size() > command.most + 1)
        throw usage(std::string("usage: ") + command.synopsis);
    return line;
}

bool needsChip(const CommandLine& line)
{
    return commandNamed(line.words[0]).chipless != line.words.size() - 1;
}

void flushOutput(std::ostream& out)
{
    if (out.flush())
        return;
    const auto* descriptor = dynamic_cast<const DescriptorBuffer*>(out.rdbuf());
    const int error = descriptor ? descriptor->error() : 0;
    throw usage(std::string("cannot write standard output") + (error ? " (" + errorText(error) + ")" : ""));
}

int runCommand(const CommandLine& line, const CommandContext& context)
{
    CommandContext commandContext = context;
    commandContext.json |= line.json;
    commandContext.options = line.options;
    return commandNamed(line.words[0]).run(commandContext, line.words);
}
