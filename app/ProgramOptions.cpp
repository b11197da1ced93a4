#include "ProgramOptions.h"

#include "adapter/BusTrace.h"

#include <QCommandLineParser>
#include <QStringList>

#include <array>
#include <variant>

namespace {

// Where a row's value goes. Qt's standard options go nowhere here: the toolkit reads them itself.
using Target = std::variant<std::monostate, bool ProgramOptions::*, std::optional<std::string> ProgramOptions::*>;

struct OptionRow {
    std::array<const char*, 2> names; // the short name first, if there is one
    const char* valueName; // nullptr for a switch
    const char* description;
    Target target = {};
};

// One row per option; a switch sets its bool, an option with a value stores it.
const OptionRow rows[] = {
    { { "h", "help" }, nullptr, "Show this help, then exit.", &ProgramOptions::help },
    { { "help-all" }, nullptr, "Show this help with Qt's standard options, then exit.", &ProgramOptions::helpAll },
    { { "v", "version" }, nullptr, "Show the program's name and version, then exit.", &ProgramOptions::version },
    { { "adapter" }, "NAME", "Where the board is (see Adapters); also --adapter=NAME.", &ProgramOptions::adapter },
    { { "list-adapters" }, nullptr, "List the adapters and I2C buses, then exit.", &ProgramOptions::listAdapters },
    { { "trace" }, "FILE",
        "A line for every adapter call (time, call, register, byte, result) in FILE; --trace alone writes them to "
        "standard error.",
        &ProgramOptions::trace },
    { { "record" }, "FILE",
        "Add a kv3124ctl script line for every register write, the control that caused it as a comment, to FILE, so "
        "that 'kv3124ctl run FILE' replays the session.",
        &ProgramOptions::record },
    // Qt's standard options, which QApplication takes out of argv; shown by --help-all only.
    { { "platform" }, "name[:options]", "Qt platform plugin (xcb, wayland, offscreen, ...)." },
    { { "platformpluginpath" }, "path", "Folder of the platform plugins." },
    { { "platformtheme" }, "theme", "Platform theme." },
    { { "plugin" }, "plugin", "Another plugin to load; may be repeated." },
    { { "qwindowgeometry" }, "geometry", "Window geometry in X11 syntax (400x300+50+50)." },
    { { "qwindowicon" }, "icon", "Window icon." },
    { { "qwindowtitle" }, "title", "Window title." },
    { { "reverse" }, nullptr, "Right-to-left layout." },
    { { "session" }, "session", "Restore an earlier session." },
    { { "style" }, "style", "Widget style (Fusion, Windows)." },
    { { "stylesheet" }, "file", "Style sheet file." },
    { { "widgetcount" }, nullptr, "Report widgets left at exit." },
    { { "display" }, "display", "X11 display, instead of $DISPLAY." },
    { { "geometry" }, "geometry", "X11: as --qwindowgeometry." },
    { { "title" }, "title", "X11: as --qwindowtitle." },
    { { "icon" }, "icon", "X11: as --qwindowicon." },
    { { "name" }, "name", "X11: instance name." },
    { { "visual" }, "id", "X11: visual to use." },
    { { "nograb" }, nullptr, "X11: never grab the mouse." },
    { { "dograb" }, nullptr, "X11: grab the mouse also under a debugger." },
};

bool isQtOption(const OptionRow& row)
{
    return std::holds_alternative<std::monostate>(row.target);
}

// Latin-1 keeps every byte as it is, so names and paths in any encoding come back unchanged.
QString toQString(const char* text)
{
    return QString::fromLatin1(text);
}

std::string toBytes(const QString& text)
{
    return text.toLatin1().toStdString();
}

// "-platform" is one option, as in every Qt program, not "-p -l -a ...".
void describe(QCommandLineParser& parser, bool showQtOptions)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("Drives a KV3124 backlight LED driver on its evaluation board."));
    for (const OptionRow& row : rows) {
        QStringList names;
        for (const char* name : row.names)
            if (name)
                names << toQString(name);
        QCommandLineOption option(
            names, toQString(row.description), row.valueName ? toQString(row.valueName) : QString());
        if (isQtOption(row) && !showQtOptions)
            option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(QStringLiteral("/D"),
        QStringLiteral("Debug mode: standard output goes to debug.log in the current folder, shown in $VISUAL, "
                       "$EDITOR or xdg-open when the window closes. \"/D\" or \"/d\" anywhere on the line counts, "
                       "also inside a path such as /home/ann/data or a word such as /Debug."),
        QStringLiteral("[/D]"));
}

} // namespace

ProgramOptions parseProgramOptions(int argc, const char* const* argv)
{
    QCommandLineParser parser;
    describe(parser, false);
    QStringList arguments { QStringLiteral("kv3124-eval") };
    for (int i = 1; i < argc; ++i)
        arguments << toQString(withTraceValue(argv[i]).c_str());

    ProgramOptions options;
    if (!parser.parse(arguments)) {
        options.error = toBytes(parser.errorText());
        if (options.error.ends_with('.'))
            options.error.pop_back();
        return options;
    }
    for (const OptionRow& row : rows) {
        const QString name = toQString(row.names[1] ? row.names[1] : row.names[0]);
        if (const auto flag = std::get_if<bool ProgramOptions::*>(&row.target))
            options.*(*flag) = parser.isSet(name);
        else if (const auto value = std::get_if<std::optional<std::string> ProgramOptions::*>(&row.target);
                 value && parser.isSet(name))
            options.*(*value) = toBytes(parser.value(name));
    }
    for (const QString& word : parser.positionalArguments())
        options.words.push_back(toBytes(word));
    return options;
}

std::string helpText(bool withQtOptions)
{
    QCommandLineParser parser;
    describe(parser, withQtOptions);
    const QString text = parser.helpText();
    // Without an application object Qt cannot know the program's name.
    return "Usage: kv3124-eval [options] [/D]" + text.mid(text.indexOf('\n')).toStdString()
        + "\nAdapters:\n"
          "  sim            a simulated evaluation board (the default)\n"
          "  none           no adapter\n"
          "  i2c-N          Linux I2C bus N, as --list-adapters shows it\n"
          "  i2c:NAME       the bus whose adapter name is or contains NAME\n"
          "  serial:SERIAL  the bus of the USB bridge with serial number SERIAL, on any port\n"
          "\n"
          "Name only the bus of the board's own USB bridge: a mainboard's SMBus also\n"
          "carries memory modules and sensors, and a write there can damage the computer.\n";
}

std::string validOptions()
{
    std::string list;
    for (const OptionRow& row : rows) {
        if (isQtOption(row))
            continue;
        for (const char* name : row.names)
            if (name)
                list += (list.empty() ? "" : ", ") + std::string(name[1] ? "--" : "-") + name
                    + (row.valueName ? std::string("=") + row.valueName : "");
    }
    return "valid options: " + list + ", /D, and Qt's own (see --help-all)";
}
