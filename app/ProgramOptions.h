// The command line's syntax: our options, Qt's standard ones (the toolkit takes those out of argv
// later), and the words left over. Read before the application object exists, so that help, version,
// the adapter list and rejections need no display.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct ProgramOptions {
    bool help = false;
    bool helpAll = false;
    bool version = false;
    bool listAdapters = false;
    std::optional<std::string> adapter; // "sim" when not given
    std::optional<std::string> trace; // where the bus trace goes, "-" for standard error
    std::optional<std::string> record; // the file the register writes are added to as a kv3124ctl script
    std::vector<std::string> words; // arguments that are no option nor an option's value
    std::string error; // why the line cannot be read; empty when it can
};

ProgramOptions parseProgramOptions(int argc, const char* const* argv);

// The help, with Qt's standard options too when `withQtOptions`.
std::string helpText(bool withQtOptions);
// One line naming the valid options, for a rejection.
std::string validOptions();
