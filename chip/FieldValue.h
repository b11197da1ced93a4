// A field's value: taken from its register bytes, put back into them, and as text.
#pragma once

#include "chip/ChipDescription.h"
#include "chip/RegisterBus.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv3124 {

// The registers the field's bits live in, in address order.
std::vector<std::uint8_t> fieldRegisters(const Field& field);
unsigned maxValue(const Field& field);
// Nothing when a register of the field is missing from `values`.
std::optional<unsigned> decodeField(const Field& field, const RegisterValues& values);
// The register writes that set the field to `value`, in order. A field in one register keeps the other bits of
// `current`; a field over several registers is written whole, low register first, as the brightness slider does.
std::vector<std::pair<std::uint8_t, std::uint8_t>> encodeField(
    const Field& field, unsigned value, const RegisterValues& current);
// A number up to maxValue, or the text of one of the field's items.
std::optional<unsigned> parseFieldValue(const Field& field, std::string_view text);
// The item text (quoted when it holds a blank) or, for a field without items, the decimal number.
std::string fieldValueText(const Field& field, unsigned value);
// What parseFieldValue accepts, for messages.
std::string validValues(const Field& field);

} // namespace kv3124
