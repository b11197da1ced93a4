#include "ProgramOptions.h"

#include <string_view>

const char* const usageText = "Usage: kv3124-eval [--adapter=NAME] [--list-adapters] [--help] [/D]\n"
                              "\n"
                              "Drives a KV3124 backlight LED driver on its evaluation board.\n"
                              "\n"
                              "  --adapter=NAME    where the board is: sim (a simulated board, the default),\n"
                              "                    none (no adapter), i2c-N (Linux I2C bus N), or\n"
                              "                    i2c:NAME (the bus whose adapter name is or contains NAME)\n"
                              "  --list-adapters   list the adapters and I2C buses, then exit\n"
                              "  --help            show this text, then exit\n"
                              "  /D or /d          debug mode: standard output goes to debug.log in the\n"
                              "                    current directory, shown in $VISUAL, $EDITOR or xdg-open\n"
                              "                    when the window closes\n"
                              "\n"
                              "Warning: \"/D\" or \"/d\" anywhere on the command line switches debug mode on,\n"
                              "also inside a path (c:/data) or a longer word (/Debug).\n";

ProgramOptions parseProgramOptions(int argc, char** argv)
{
    constexpr std::string_view adapterPrefix = "--adapter=";
    ProgramOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.empty() || argument.front() != '-')
            continue;
        if (argument == "--help")
            options.showHelp = true;
        else if (argument == "--list-adapters")
            options.listAdapters = true;
        else if (argument.starts_with(adapterPrefix))
            options.adapter = argument.substr(adapterPrefix.size());
        else if (options.error.empty())
            options.error = "unknown option '" + std::string(argument)
                + "' (valid options: --adapter=NAME, --list-adapters, --help, /D)";
    }
    return options;
}
