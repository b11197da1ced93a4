#include "cli/Ctl.h"

#include "cli/AdapterSession.h"
#include "cli/CommandFailure.h"
#include "cli/Commands.h"

#include "adapter/AdapterBus.h"
#include "adapter/AdapterConnection.h"
#include "adapter/AdapterTexts.h"
#include "adapter/BusTrace.h"
#include "chip/Number.h"
#include "chip/QuotedWord.h"
#include "ptx/TerminalText.h"

#include "Version.h"

#include <QCommandLineParser>

#include <ostream>

namespace {

const char* const usageText
    = "Usage: kv3124ctl [--adapter=NAME] [--wait=SECONDS] [--json] [--trace[=FILE]] COMMAND [ARGUMENTS]\n"
      "       kv3124ctl --list-adapters | --help | --version\n"
      "\n"
      "Reads and writes a KV3124 backlight LED driver on its evaluation board.\n"
      "\n"
      "Commands:\n"
      "  dump [--json]       every register Readback All reads, with its decoded fields\n"
      "  read REG            one register's byte\n"
      "  write REG VALUE     one register's byte, as given (0x01 is read-only)\n"
      "  get FIELD           a named field\n"
      "  set FIELD VALUE     a named field by read-modify-write of its register; VALUE is a\n"
      "                      number or the window's item text, e.g. set current-scale \"100 = 18mA\"\n"
      "  save FILE           the registers into a snapshot file\n"
      "  load FILE           a snapshot file onto the chip, each register read back\n"
      "  run FILE|-          commands from a file or standard input, one a line, on one adapter;\n"
      "                      the first failing line stops it\n"
      "  watch [--all] [--interval=MS] [--until=FIELD[,FIELD...]|fault] [--count=N] [--for=SECONDS]\n"
      "                      the status register (--all: every register) read every MS\n"
      "                      milliseconds (200; 50 at least), a line per change\n"
      "  diff [--all] A.kv3124 [B.kv3124]\n"
      "                      the fields that differ between two snapshots, or a snapshot and\n"
      "                      the chip; only the registers load writes, unless --all\n"
      "  export [--format=c|i2cset|json] [FILE]\n"
      "                      a snapshot, or the chip, as the writes load makes, for firmware\n"
      "Numbers are decimal or 0x-prefixed hexadecimal. Options of the program may go before\n"
      "or after the command.\n"
      "\n"
      "Options:\n"
      "  --adapter=NAME      where the board is: sim (a simulated board, the default),\n"
      "                      none (no adapter), i2c-N (Linux I2C bus N),\n"
      "                      i2c:NAME (the bus whose adapter name is or contains NAME), or\n"
      "                      serial:SERIAL (the bus of the USB bridge with that serial number)\n"
      "  --wait=SECONDS      when the bridge is unplugged, wait this long for it to come\n"
      "                      back and go on; 0 (the default) fails the command at once\n"
      "  --list-adapters     list the adapters and I2C buses, then exit\n"
      "  --json              dump, watch and diff as JSON\n"
      "  --trace[=FILE]      a line for every adapter call (time, call, register, byte,\n"
      "                      result) in FILE, or on standard error without =FILE\n"
      "  -h, --help          show this text, then exit\n"
      "  -v, --version       show the version, then exit\n"
      "\n"
      "Exit status: 0 done (diff: equal), 1 the board or bus failed, 2 usage error or unusable file,\n"
      "3 a condition met (watch --until, diff found differences).\n";

// The options of the command line; a row here is all a new option needs besides its use below.
const QList<QCommandLineOption> options {
    { "adapter", "", "NAME", "sim" },
    { "wait", "", "SECONDS", "0" },
    { "list-adapters", "" },
    { "json", "" },
    { "trace", "", "FILE" },
    { { "h", "help" }, "" },
    { { "v", "version" }, "" },
};

// As the window words it: "valid options: --adapter=NAME, ...".
std::string validOptions()
{
    std::string list;
    for (const QCommandLineOption& option : options)
        for (const QString& name : option.names())
            list += (list.empty() ? "" : ", ") + std::string(name.size() > 1 ? "--" : "-") + name.toStdString()
                + (option.valueName().isEmpty() ? "" : "=" + option.valueName().toStdString());
    return "valid options: " + list;
}

// The program's own options may also follow the command, as they always could ("dump --adapter=i2c-1"): they are
// taken out of the command's words, which keep the options the commands share with it (--json).
QStringList programOptionsFirst(const QStringList& arguments)
{
    const auto isProgramOption = [](const QString& word) {
        for (const QCommandLineOption& option : options)
            for (const QString& name : option.names()) {
                const QString spelled = (name.size() > 1 ? "--" : "-") + name;
                if (name != "json" && (word == spelled || word.startsWith(spelled + '=')))
                    return true;
            }
        return false;
    };
    // The program's name first.
    QStringList first = arguments.mid(0, 1);
    QStringList rest;
    bool inCommand = false;
    for (const QString& word : arguments.mid(1)) {
        inCommand = inCommand || !word.startsWith('-');
        (inCommand && !isProgramOption(word) ? rest : first) << word;
    }
    return first + rest;
}

// A day at most, so that a mistyped number still ends.
constexpr unsigned kLongestWait = 86400;

int waitSeconds(const QCommandLineParser& parser)
{
    const std::string text = parser.value("wait").toStdString();
    const std::optional<unsigned> seconds = kv3124::parseNumber(text);
    if (!seconds || *seconds > kLongestWait)
        throw CommandFailure { exitUsage,
            "--wait=" + kv3124::quotedWord(text) + " is not a number of seconds from 0 to "
                + std::to_string(kLongestWait) };
    return static_cast<int>(*seconds);
}

struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

int runOnAdapter(const QCommandLineParser& parser, const Streams& streams, const Clock& clock)
{
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        throw CommandFailure { exitUsage, "no command given (see --help)" };
    if (!isCommand(words[0]))
        throw CommandFailure { exitUsage,
            "unknown command " + kv3124::quotedWord(words[0].toStdString()) + " (see --help)" };
    const CommandLine command = parseCommand(words);
    if (!needsChip(command))
        return runCommand(command, { {}, {}, {}, parser.isSet("json"), streams.in, streams.out, streams.err, clock });
    const std::string adapter = parser.value("adapter").toStdString();
    const int wait = waitSeconds(parser);
    if (!selectAdapter(adapter, wait))
        throw CommandFailure { exitUsage, unknownAdapterMessage(adapter) };
    BusTrace trace;
    if (const std::string error = parser.isSet("trace") ? trace.start(parser.value("trace").toStdString()) : "";
        !error.empty())
        throw CommandFailure { exitUsage, error };
    const CommandContext context { adapterRegisterBus(), adapter, startAdapter(adapter), parser.isSet("json"),
        streams.in, streams.out, streams.err, clock };
    int status = exitDone;
    try {
        status = runCommand(command, context);
    } catch (const CommandFailure&) {
        adapterRelease();
        throw;
    }
    adapterRelease();
    return status;
}

} // namespace

int runCtl(const QStringList& arguments, std::istream& in, std::ostream& out, std::ostream& err, const Clock& clock)
{
    QCommandLineParser parser;
    parser.addOptions(options);
    // What follows the command is the command's: its arguments and its own options.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    QStringList line;
    for (const QString& argument : programOptionsFirst(arguments))
        line << QString::fromStdString(withTraceValue(argument.toStdString()));
    try {
        if (!parser.parse(line)) {
            std::string error = parser.errorText().toStdString();
            if (error.ends_with('.'))
                error.pop_back();
            throw CommandFailure { exitUsage, error + "; " + validOptions() };
        }
        int status = exitDone;
        if (parser.isSet("help"))
            out << usageText;
        else if (parser.isSet("version"))
            out << "kv3124ctl " KV3124_VERSION "\n";
        else if (parser.isSet("list-adapters"))
            out << adapterListing();
        else
            status = runOnAdapter(parser, { in, out, err }, clock);
        flushOutput(out);
        return status;
    } catch (const CommandFailure& failure) {
        if (!failure.message.empty())
            err << "kv3124ctl: " << ptx::printable(failure.message) << '\n';
        return failure.exitCode;
    }
}
