// Register access handed in by the caller, so that snapshots and field changes run over any adapter.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

namespace kv3124 {

struct RegisterBus {
    // False when the transfer failed; `value` is then untouched.
    std::function<bool(std::uint8_t reg, std::uint8_t& value)> read;
    std::function<bool(std::uint8_t reg, std::uint8_t value)> write;
};

// Register bytes by address.
using RegisterValues = std::map<std::uint8_t, std::uint8_t>;

} // namespace kv3124
