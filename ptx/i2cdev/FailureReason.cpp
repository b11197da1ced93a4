#include "ptx/i2cdev/FailureReason.h"

#include "ptx/ErrorText.h"
#include "ptx/i2cdev/BusDirectory.h"

#include <cerrno>
#include <cstdio>

namespace ptx::i2cdev {

namespace {

std::string openFailure(int error, const std::filesystem::path& node, const std::filesystem::path& sysRoot)
{
    switch (error) {
    case ENOENT:
        return noSuchBus(hasI2cDev(sysRoot));
    case EACCES:
    case EPERM:
        return "permission denied on " + node.string() + " (the example udev rule opens it: see man kv3124-eval)";
    // The node is there but no adapter stands behind its number (a leftover in a static /dev, say).
    case ENXIO:
    case ENODEV:
        return "no adapter behind " + node.string() + " (see --list-adapters)";
    default:
        return {};
    }
}

std::string transferFailure(int error, int address, std::optional<std::chrono::milliseconds> pluggedInFor)
{
    if (stillStarting(error, pluggedInFor))
        return "the bridge is still starting (it can take about 30 s after plugging in); try again in a few seconds";
    switch (error) {
    // Bridges report a missing acknowledge in different ways; i2c-stub says ENODEV when no chip is set up there.
    case ENXIO:
    case EREMOTEIO:
    case EIO:
    case ENODEV:
        return "no device answers at " + hexByte(address);
    // More often a bus held low by a confused device than a missing acknowledge.
    case ETIMEDOUT:
        return "the bus timed out talking to " + hexByte(address)
            + " (a device may be holding it: power-cycle the board)";
    // The controller's own business, not a driver's claim on the address: a bus held for too long (EBUSY), or
    // lost to another master or a bridge's engine still busy (EAGAIN, once the kernel's own retries are spent).
    case EBUSY:
    case EAGAIN:
        return "the bus is busy (another master on it, or a stuck controller)";
    default:
        return {};
    }
}

} // namespace

std::string failureReason(Cause cause, const std::string& doing, int address, const std::filesystem::path& node,
    const std::filesystem::path& sysRoot, std::optional<std::chrono::milliseconds> pluggedInFor)
{
    const auto [step, error] = cause;
    std::string reason;
    if (step == Step::Open)
        reason = openFailure(error, node, sysRoot);
    else if (step == Step::Claim && error == EBUSY)
        reason = "a kernel driver already owns address " + hexByte(address) + " on this bus";
    else if (step == Step::Transfer)
        reason = transferFailure(error, address, pluggedInFor);
    return reason.empty() ? doing + ": " + errorText(error) : reason;
}

bool stillStarting(int error, std::optional<std::chrono::milliseconds> pluggedInFor)
{
    // Twice what the driver takes on a kernel whose HID core drops the answers while the driver starts.
    constexpr std::chrono::seconds kBridgeStartTime { 60 };
    return error == ETIMEDOUT && pluggedInFor && *pluggedInFor < kBridgeStartTime;
}

std::string hexByte(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(value) & 0xFFu);
    return text;
}

} // namespace ptx::i2cdev
