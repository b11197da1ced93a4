#include "ptx/sim/Kv3124Registers.h"

namespace ptx::sim {

namespace {

constexpr std::uint8_t kControl = 0x00;
constexpr std::uint8_t kStatus = 0x01;
constexpr std::uint8_t kResetBit = 0x80;

// Power-on values of the simulated chip; every register not listed is 0x00.
//   0x00 control        0x01  backlight on, spread spectrum and slew rate off
//   0x01 status         0x00  no faults
//   0x02 revision       0xA1
//   0x03 brightness lo  0x00
//   0x04 brightness hi  0x00
//   0x10 config         0x01  brightness mode 1
//   0x11 current        0x04  current scale 18 mA, internal ISET
//   0x12 PGEN           0x02  PWM frequency item 2, internal PFSET
//   0x13 boost          0x01  1 MHz, compensation 0, internal FSET and COMP
//   0x14 LED enables    0x3F  all six outputs on
//   0x15 step           0x00  immediate, no smoothing
constexpr std::array<std::uint8_t, 256> kPowerOn = [] {
    std::array<std::uint8_t, 256> values {};
    values[0x00] = 0x01;
    values[0x02] = 0xA1;
    values[0x10] = 0x01;
    values[0x11] = 0x04;
    values[0x12] = 0x02;
    values[0x13] = 0x01;
    values[0x14] = 0x3F;
    return values;
}();

} // namespace

Kv3124Registers::Kv3124Registers()
    : registers_(kPowerOn)
{
}

std::uint8_t Kv3124Registers::powerOnValue(std::uint8_t reg)
{
    return kPowerOn[reg];
}

void Kv3124Registers::write(std::uint8_t reg, std::uint8_t value)
{
    if (reg == kStatus)
        return;
    if (reg == kControl && (value & kResetBit)) {
        powerOn();
        return;
    }
    registers_[reg] = value;
}

void Kv3124Registers::powerOn()
{
    registers_ = kPowerOn;
}

} // namespace ptx::sim
