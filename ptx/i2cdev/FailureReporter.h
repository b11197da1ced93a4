// Tells standard error why the bus cannot be used: one line per run of failures, not one per call.
#pragma once

#include <string>

namespace ptx::i2cdev {

class FailureReporter {
public:
    // Prints "<program>: <reason>" unless it was the last line printed since the last success.
    void report(const std::string& reason);
    // A call succeeded: the next failure is news again.
    void clear();

private:
    std::string last_;
};

} // namespace ptx::i2cdev
