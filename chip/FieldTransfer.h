// One field read from the chip or set on it, over the caller's register access.
#pragma once

#include "chip/ChipDescription.h"
#include "chip/RegisterBus.h"

#include <string>

namespace kv3124 {

struct FieldRead {
    unsigned value = 0;
    std::string error; // names the register whose read failed; `value` is then 0
};

// Reads every register the field lives in.
FieldRead readField(const RegisterBus& bus, const Field& field);
// A field in one register by read-modify-write of it; a field over several registers is written whole, low register
// first. `value` is at most maxValue(field). Returns the read or write that failed, or an empty text.
std::string writeField(const RegisterBus& bus, const Field& field, unsigned value);

} // namespace kv3124
