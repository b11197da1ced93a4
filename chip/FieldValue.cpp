#include "chip/FieldValue.h"

#include "chip/Number.h"

#include <algorithm>

namespace kv3124 {

namespace {

std::string quoted(std::string_view text)
{
    if (text.find(' ') == std::string_view::npos)
        return std::string(text);
    return '"' + std::string(text) + '"';
}

} // namespace

std::vector<std::uint8_t> fieldRegisters(const Field& field)
{
    std::vector<std::uint8_t> regs;
    for (unsigned bit = field.shift; bit < field.shift + field.width; bit += 8 - bit % 8)
        regs.push_back(static_cast<std::uint8_t>(field.reg + bit / 8));
    return regs;
}

unsigned maxValue(const Field& field)
{
    return (1u << field.width) - 1;
}

std::optional<unsigned> decodeField(const Field& field, const RegisterValues& values)
{
    unsigned word = 0;
    const std::vector<std::uint8_t> regs = fieldRegisters(field);
    for (std::size_t i = 0; i < regs.size(); ++i) {
        const auto found = values.find(regs[i]);
        if (found == values.end())
            return std::nullopt;
        word |= unsigned { found->second } << (8 * i);
    }
    return (word >> field.shift) & maxValue(field);
}

std::vector<std::pair<std::uint8_t, std::uint8_t>> encodeField(
    const Field& field, unsigned value, const RegisterValues& current)
{
    const std::vector<std::uint8_t> regs = fieldRegisters(field);
    unsigned word = (value & maxValue(field)) << field.shift;
    if (regs.size() == 1)
        word |= current.at(field.reg) & ~(maxValue(field) << field.shift);
    std::vector<std::pair<std::uint8_t, std::uint8_t>> writes;
    for (std::size_t i = 0; i < regs.size(); ++i)
        writes.emplace_back(regs[i], static_cast<std::uint8_t>(word >> (8 * i)));
    return writes;
}

std::optional<unsigned> parseFieldValue(const Field& field, std::string_view text)
{
    const auto item = std::ranges::find(field.items, text);
    if (item != field.items.end())
        return static_cast<unsigned>(item - field.items.begin());
    const std::optional<unsigned> number = parseNumber(text);
    if (number && *number <= maxValue(field))
        return number;
    return std::nullopt;
}

std::string fieldValueText(const Field& field, unsigned value)
{
    return field.items.empty() ? std::to_string(value) : quoted(field.items[value]);
}

std::string validValues(const Field& field)
{
    std::string text = "0 to " + std::to_string(maxValue(field));
    for (std::size_t i = 0; i < field.items.size(); ++i)
        text += (i == 0 ? " or " : ", ") + quoted(field.items[i]);
    return text;
}

} // namespace kv3124
