// Numbers as the tool and the snapshot files write them, whatever the locale.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kv3124 {

// "0x" or "0X" then hexadecimal digits, or decimal digits; nothing else, no sign, no blanks.
std::optional<unsigned> parseNumber(std::string_view text);
// "0x" and at least `digits` upper-case hexadecimal digits: hex(0x3F) is "0x3F".
std::string hex(unsigned value, int digits = 2);
// "0x13, 0x11": register addresses for messages.
std::string hexList(std::span<const std::uint8_t> values);

} // namespace kv3124
