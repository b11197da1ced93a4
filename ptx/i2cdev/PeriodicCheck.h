// Runs a check at a fixed interval on a thread of its own, for as long as the object lives.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace ptx::i2cdev {

class PeriodicCheck {
public:
    // The first check runs one interval from now. Destruction waits for a check under way, never for
    // the rest of an interval.
    PeriodicCheck(std::chrono::milliseconds interval, std::function<void()> check);

private:
    std::jthread thread_;
};

} // namespace ptx::i2cdev
