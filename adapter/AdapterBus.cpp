#include "AdapterBus.h"

#include "AdapterConnection.h"

kv3124::RegisterBus adapterRegisterBus()
{
    return { [](std::uint8_t reg, std::uint8_t& value) { return readRegister(deviceAddress(), reg, value) == 0; },
        [](std::uint8_t reg, std::uint8_t value) { return writeRegister(deviceAddress(), reg, value); }, lastFailure };
}
