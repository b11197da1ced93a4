#include "ptx/i2cdev/PeriodicCheck.h"

#include <condition_variable>
#include <mutex>
#include <utility>

namespace ptx::i2cdev {

PeriodicCheck::PeriodicCheck(std::chrono::milliseconds interval, std::function<void()> check)
    : thread_([interval, check = std::move(check)](std::stop_token stop) {
        std::mutex mutex;
        std::condition_variable_any stopped;
        std::unique_lock lock(mutex);
        // Sleeps, not spins: the wait ends at the interval or as soon as a stop is requested.
        while (!stopped.wait_for(lock, stop, interval, [&] { return stop.stop_requested(); }))
            check();
    })
{
}

} // namespace ptx::i2cdev
