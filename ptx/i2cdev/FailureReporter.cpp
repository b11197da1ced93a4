#include "ptx/i2cdev/FailureReporter.h"

#include "ptx/LastFailure.h"
#include "ptx/TerminalText.h"

#include <atomic>
#include <cerrno>
#include <cstdio>

namespace ptx::i2cdev {

namespace {

// The node watcher reports from its own thread.
std::atomic<bool> printingOn { true };

// Adapter names and USB strings come from the device itself.
void print(const std::string& text)
{
    if (!printingOn)
        return;
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, printable(text).c_str());
}

} // namespace

void FailureReporter::report(Cause cause, const std::string& text)
{
    failure::record(text);
    if (told_.insert(cause).second)
        print(text);
}

void FailureReporter::resolve(Cause cause, const std::string& text)
{
    told_.erase(cause);
    print(text);
}

void FailureReporter::clear()
{
    told_.clear();
}

void FailureReporter::printing(bool on)
{
    printingOn = on;
}

} // namespace ptx::i2cdev
