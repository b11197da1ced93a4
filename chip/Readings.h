// A register's state as named values, for what compares states (diff, watch): its fields, and as bytes the bits
// no field decodes.
#pragma once

#include "chip/ChipDescription.h"
#include "chip/RegisterBus.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kv3124 {

struct Reading {
    const Field* field; // null for bits no field decodes
    std::uint8_t reg;
    std::uint8_t mask; // those bits; 0xFF for a register no field decodes
    unsigned value;
};

// Each register of `regs` in `values`, in Readback All order: its fields (a field over several registers needs them
// all among `regs`), then its bits that no decoded field holds, where there are any.
std::vector<Reading> readings(const RegisterValues& values, std::span<const std::uint8_t> regs);
// "open", "0x16", or "0x10&0x78" for bits no field decodes.
std::string readingName(const Reading& reading);
// The field's value text, or the bits in hexadecimal.
std::string readingText(const Reading& reading);

struct Difference {
    Reading from, to;
};

// What differs between `from` and `to` over `regs`, which both hold.
std::vector<Difference> differences(
    const RegisterValues& from, const RegisterValues& to, std::span<const std::uint8_t> regs);
// The registers both hold, in Readback All order: all of them, or only those the load writes.
std::vector<std::uint8_t> sharedRegisters(const RegisterValues& a, const RegisterValues& b, bool all);

} // namespace kv3124
