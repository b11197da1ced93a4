// What a failed step means for the user, and what to do about it, in one line.
#pragma once

#include "ptx/i2cdev/FailureReporter.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace ptx::i2cdev {

// `doing` ("reading register 0x13") serves errors without a better explanation; `address` is the device
// address concerned, `node` the bus's /dev node, `pluggedInFor` how long ago a USB bridge was plugged in.
std::string failureReason(Cause cause, const std::string& doing, int address, const std::filesystem::path& node,
    const std::filesystem::path& sysRoot, std::optional<std::chrono::milliseconds> pluggedInFor);

// A USB bridge plugged in a moment ago times out until its driver has started it, which can take half a minute.
bool stillStarting(int error, std::optional<std::chrono::milliseconds> pluggedInFor);

std::string hexByte(int value);

} // namespace ptx::i2cdev
