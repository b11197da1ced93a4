// The KV3124's register file as the simulated board holds it.
#pragma once

#include <array>
#include <cstdint>

namespace ptx::sim {

class Kv3124Registers {
public:
    Kv3124Registers();

    static std::uint8_t powerOnValue(std::uint8_t reg);

    std::uint8_t read(std::uint8_t reg) const { return registers_[reg]; }
    // A write from the bus: the status register ignores it, bit 7 of register 0x00 resets the chip.
    void write(std::uint8_t reg, std::uint8_t value);
    // Sets a register as the chip itself would, read-only or not.
    void set(std::uint8_t reg, std::uint8_t value) { registers_[reg] = value; }
    void powerOn();

private:
    std::array<std::uint8_t, 256> registers_ {};
};

} // namespace ptx::sim
