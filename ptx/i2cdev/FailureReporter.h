// Tells standard error why the bus cannot be used: each cause once per run of failures, not once per call.
#pragma once

#include <set>
#include <string>
#include <utility>

namespace ptx::i2cdev {

// Where the back end was when something failed.
enum class Step { Choose, Open, Functions, Claim, Transfer, Unplug };

// What makes two failures one: the step and its errno (0 where there is none). Not the text, which
// names whichever register happened to fail first.
using Cause = std::pair<Step, int>;

class FailureReporter {
public:
    // Prints "<program>: <text>" unless `cause` has been told since the last success; ptxLastFailure gives it
    // either way.
    void report(Cause cause, const std::string& text);
    // `cause` is over: prints `text`, and the cause is news again next time.
    void resolve(Cause cause, const std::string& text);
    // A transfer went through: every failure is news again.
    void clear();

    // Whether report and resolve print at all, for every reporter of the process (on at start).
    static void printing(bool on);

private:
    std::set<Cause> told_;
};

} // namespace ptx::i2cdev
