#include "chip/Readings.h"

#include "chip/FieldValue.h"
#include "chip/Number.h"

#include <algorithm>

namespace kv3124 {

namespace {

// The bits of `field` that lie in register `reg`.
std::uint8_t fieldBitsIn(const Field& field, std::uint8_t reg)
{
    unsigned bits = 0;
    for (unsigned bit = field.shift; bit < field.shift + field.width; ++bit)
        if (field.reg + bit / 8 == reg)
            bits |= 1u << (bit % 8);
    return static_cast<std::uint8_t>(bits);
}

} // namespace

std::vector<Reading> readings(const RegisterValues& values, std::span<const std::uint8_t> regs)
{
    RegisterValues held;
    for (std::uint8_t reg : regs)
        if (const auto found = values.find(reg); found != values.end())
            held.insert(*found);
    // Registers come in address order, so a field reaching into a later register marks its bits there first.
    std::vector<Reading> found;
    std::map<std::uint8_t, std::uint8_t> decoded; // the bits of each register that some field decoded
    for (const Register& reg : registers()) {
        if (!held.contains(reg.address))
            continue;
        for (const Field& field : fields()) {
            if (field.reg != reg.address)
                continue;
            if (const std::optional<unsigned> value = decodeField(field, held)) {
                found.push_back({ &field, reg.address, 0, *value });
                for (std::uint8_t r : fieldRegisters(field))
                    decoded[r] |= fieldBitsIn(field, r);
            }
        }
        if (const auto rest = static_cast<std::uint8_t>(~decoded[reg.address]); rest != 0)
            found.push_back({ nullptr, reg.address, rest, unsigned { held[reg.address] } & rest });
    }
    return found;
}

std::string readingName(const Reading& reading)
{
    if (reading.field)
        return std::string(reading.field->name);
    return hex(reading.reg) + (reading.mask == 0xFF ? "" : '&' + hex(reading.mask));
}

std::string readingText(const Reading& reading)
{
    return reading.field ? fieldValueText(*reading.field, reading.value) : hex(reading.value);
}

std::vector<Difference> differences(
    const RegisterValues& from, const RegisterValues& to, std::span<const std::uint8_t> regs)
{
    const std::vector<Reading> before = readings(from, regs), after = readings(to, regs);
    std::vector<Difference> found;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i)
        if (before[i].value != after[i].value)
            found.push_back({ before[i], after[i] });
    return found;
}

std::vector<std::uint8_t> sharedRegisters(const RegisterValues& a, const RegisterValues& b, bool all)
{
    std::vector<std::uint8_t> shared;
    for (const Register& reg : registers())
        if (a.contains(reg.address) && b.contains(reg.address) && (all || reg.access == RegisterAccess::Written))
            shared.push_back(reg.address);
    return shared;
}

} // namespace kv3124
