#include "chip/FieldTransfer.h"

#include "chip/FieldValue.h"
#include "chip/Number.h"

namespace kv3124 {

FieldRead readField(const RegisterBus& bus, const Field& field)
{
    RegisterValues values;
    for (std::uint8_t reg : fieldRegisters(field))
        if (!bus.read(reg, values[reg]))
            return { 0, readFailure(bus, reg) };
    return { *decodeField(field, values), {} };
}

std::string writeField(const RegisterBus& bus, const Field& field, unsigned value)
{
    RegisterValues current;
    if (fieldRegisters(field).size() == 1 && !bus.read(field.reg, current[field.reg]))
        return readFailure(bus, field.reg);
    for (const auto& [reg, byte] : encodeField(field, value, current))
        if (!bus.write(reg, byte))
            return writeFailure(bus, reg, byte);
    return {};
}

} // namespace kv3124
