// The program's own command-line options; everything else on the line is left to the debug switch.
#pragma once

#include <string>

struct ProgramOptions {
    std::string adapter = "sim";
    bool listAdapters = false;
    bool showHelp = false;
    std::string error; // set when the line cannot be accepted
};

ProgramOptions parseProgramOptions(int argc, char** argv);

extern const char* const usageText;
