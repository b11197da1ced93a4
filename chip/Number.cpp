#include "chip/Number.h"

#include <charconv>
#include <cstdio>

namespace kv3124 {

std::optional<unsigned> parseNumber(std::string_view text)
{
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string hex(unsigned value, int digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%.*X", digits, value);
    return buffer;
}

std::string hexList(std::span<const std::uint8_t> values)
{
    std::string text;
    for (std::uint8_t value : values)
        text += (text.empty() ? "" : ", ") + hex(value);
    return text;
}

} // namespace kv3124
