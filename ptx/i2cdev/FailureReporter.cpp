#include "ptx/i2cdev/FailureReporter.h"

#include <cerrno>
#include <cstdio>

namespace ptx::i2cdev {

void FailureReporter::report(const std::string& reason)
{
    if (reason == last_)
        return;
    last_ = reason;
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, reason.c_str());
}

void FailureReporter::clear()
{
    last_.clear();
}

} // namespace ptx::i2cdev
