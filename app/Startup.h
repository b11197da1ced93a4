// What the command line asks for, decided before any window, log or adapter exists.
#pragma once

#include <optional>
#include <string>

// The exit status of a line that cannot be accepted.
constexpr int exitUsage = 2;

struct Startup {
    enum class Action { OpenWindow, ListAdapters, Exit };
    Action action = Action::OpenWindow;
    int exitCode = 0; // for Exit
    std::string adapter = "sim"; // for OpenWindow
    std::optional<std::string> trace; // for OpenWindow: where the bus trace goes, if anywhere
    std::optional<std::string> record; // for OpenWindow: the file the register writes are added to, if any
    std::string output; // for standard output
    std::string error; // one line for standard error, without the program's name
};

// Reads the line and nothing else: no file, no adapter, no toolkit.
Startup decideStartup(int argc, const char* const* argv);
