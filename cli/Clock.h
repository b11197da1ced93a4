// Time for the commands that keep it (watch), handed in so that tests run them on a clock of their own.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Why a sleep ended.
enum class Wake { Due, Interrupted, ReaderGone };

struct Clock {
    std::function<std::int64_t()> now; // milliseconds since 1970-01-01 UTC
    std::function<Wake(std::int64_t milliseconds)> sleep;
    // While on, Ctrl-C ends a sleep rather than the process.
    std::function<void(bool on)> catchInterrupt;
};

// The system's clock. Its sleep also ends early when the reader of standard output has gone.
Clock systemClock();
// "2026-12-08T14:03:07.250Z", in every locale.
std::string utcText(std::int64_t milliseconds);
