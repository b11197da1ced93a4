// The bus trace the programs' --trace option starts: a line for every adapter call, start-up included.
#pragma once

#include <string>

// Runs from a successful start() until it goes.
class BusTrace {
public:
    BusTrace() = default;
    BusTrace(const BusTrace&) = delete;
    BusTrace& operator=(const BusTrace&) = delete;
    ~BusTrace();

    // "-" traces to standard error, anything else is a file, created or replaced, or a FIFO, a terminal or
    // /dev/null. Returns why the trace cannot be written there, or an empty text when it runs.
    std::string start(const std::string& target);

private:
    int m_fd = -1;
};

// A bare "--trace" as "--trace=-": the option's value is optional, which the parsers cannot express.
inline std::string withTraceValue(const std::string& argument)
{
    return argument == "--trace" || argument == "-trace" ? "--trace=-" : argument;
}
