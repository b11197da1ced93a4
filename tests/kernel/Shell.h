// A shell command run from a kernel test, with what it printed.
#pragma once

#include <string>

struct Result {
    int status;
    std::string output; // standard output and error
};

Result run(const std::string& command);
