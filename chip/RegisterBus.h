// Register access handed in by the caller, so that snapshots and field changes run over any adapter.
#pragma once

#include "chip/Number.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace kv3124 {

struct RegisterBus {
    // False when the transfer failed; `value` is then untouched.
    std::function<bool(std::uint8_t reg, std::uint8_t& value)> read;
    std::function<bool(std::uint8_t reg, std::uint8_t value)> write;
    // Why the last read or write failed, in a few words; empty when the bus cannot say.
    std::function<std::string()> failure;
};

// " failed (why)" for a message about a read or write that failed on `bus`.
inline std::string failedOn(const RegisterBus& bus)
{
    const std::string why = bus.failure ? bus.failure() : "";
    return " failed (" + (why.empty() ? "no answer on the bus" : why) + ")";
}

// The messages of a failed register read and write, the same wherever they fail.
inline std::string readFailure(const RegisterBus& bus, std::uint8_t reg)
{
    return "reading register " + hex(reg) + failedOn(bus);
}

inline std::string writeFailure(const RegisterBus& bus, std::uint8_t reg, std::uint8_t value)
{
    return "writing " + hex(value) + " to register " + hex(reg) + failedOn(bus);
}

// Register bytes by address.
using RegisterValues = std::map<std::uint8_t, std::uint8_t>;

} // namespace kv3124
