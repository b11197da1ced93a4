#include "chip/ChipDescription.h"

#include <algorithm>

namespace kv3124 {

namespace {

using enum RegisterAccess;

constexpr Register kRegisters[] = {
    { 0x00, "control", Written },
    { 0x01, "status", ReadOnly },
    { 0x02, "revision", ShownOnly },
    { 0x03, "brightness-lo", Written },
    { 0x04, "brightness-hi", Written },
    { 0x10, "config", Written },
    { 0x11, "current", Written },
    { 0x12, "pgen", Written },
    { 0x13, "boost", Written },
    { 0x14, "led-enables", Written },
    { 0x15, "step", Written },
    { 0x16, "", ShownOnly },
    { 0x17, "", ShownOnly },
    { 0x18, "", ShownOnly },
    { 0x1C, "", ShownOnly },
    { 0x1D, "", ShownOnly },
    { 0x1E, "", ShownOnly },
    { 0x1F, "", ShownOnly },
};

constexpr std::string_view kOffOn[] = { "off", "on" };
constexpr std::string_view kModes[]
    = { "PWM input only", "Brightness Hi/Lo Reg", "PWM x Brt Hi/Lo Reg", "Brt Hi/Lo Reg x PWM" };
constexpr std::string_view kCurrentScales[]
    = { "000 = 5mA", "001 = 10mA", "010 = 13mA", "011 = 15mA", "100 = 18mA", "101 = 20mA", "110 = 23mA", "111 = 25mA" };
constexpr std::string_view kPwmFrequencies[]
    = { "4.9 kHz", "9.8 kHz", "14.6 kHz", "19.5 kHz", "24.4 kHz", "29.3 kHz", "34.2 kHz", "39.1 kHz" };
constexpr std::string_view kBoostFrequencies[] = { "500 kHz", "1 MHz" };
constexpr std::string_view kBoostCompensations[] = { "BOOST COMP 0", "BOOST COMP 1" };
constexpr std::string_view kSteps[] = { "Immediate", "50 ms", "100 ms", "200 ms" };
constexpr std::string_view kSmoothings[] = { "None", "Light Smoothing", "Medium Smoothing", "Heavy Smoothing" };

// Register order, then bit order; the window's External items are the separate external bits.
constexpr Field kFields[] = {
    { "backlight", "Enable Backlight", 0x00, 0, 1, kOffOn },
    { "spread-spectrum", "Spread Spectrum Enable", 0x00, 1, 1, kOffOn },
    { "slew-rate", "Slew Rate Enable", 0x00, 2, 1, kOffOn },
    { "uvlo", "UVLO", 0x01, 0, 1, kOffOn },
    { "tsd", "TSD", 0x01, 1, 1, kOffOn },
    { "over-current", "Over Current", 0x01, 2, 1, kOffOn },
    { "over-voltage", "Over Voltage", 0x01, 3, 1, kOffOn },
    { "under-voltage", "Under Voltage", 0x01, 4, 1, kOffOn },
    { "short", "Short", 0x01, 6, 1, kOffOn },
    { "open", "Open", 0x01, 7, 1, kOffOn },
    { "brightness", "Brightness", 0x03, 4, 12, {} },
    { "mode", "Brightness Mode", 0x10, 0, 2, kModes },
    { "auto-string", "Auto String", 0x10, 2, 1, kOffOn },
    { "pwm-standby", "PWM", 0x10, 7, 1, kOffOn },
    { "current-scale", "Current Scale", 0x11, 0, 3, kCurrentScales },
    { "iset-external", "ISET External", 0x11, 7, 1, kOffOn },
    { "pwm-frequency", "PWM Frequency", 0x12, 0, 3, kPwmFrequencies },
    { "pfset-external", "PFSET External", 0x12, 7, 1, kOffOn },
    { "boost-fset", "BOOST FSET", 0x13, 0, 1, kBoostFrequencies },
    { "boost-comp", "BOOST COMP", 0x13, 1, 1, kBoostCompensations },
    { "comp-external", "BOOST COMP External", 0x13, 6, 1, kOffOn },
    { "fset-external", "BOOST FSET External", 0x13, 7, 1, kOffOn },
    { "led1", "1", 0x14, 0, 1, kOffOn },
    { "led2", "2", 0x14, 1, 1, kOffOn },
    { "led3", "3", 0x14, 2, 1, kOffOn },
    { "led4", "4", 0x14, 3, 1, kOffOn },
    { "led5", "5", 0x14, 4, 1, kOffOn },
    { "led6", "6", 0x14, 5, 1, kOffOn },
    { "step", "Step", 0x15, 0, 2, kSteps },
    { "smoothing", "Smoothing", 0x15, 6, 2, kSmoothings },
};

} // namespace

std::span<const Register> registers()
{
    return kRegisters;
}

std::span<const Field> fields()
{
    return kFields;
}

const Register* findRegister(unsigned address)
{
    const auto found = std::ranges::find(kRegisters, address, &Register::address);
    return found == std::end(kRegisters) ? nullptr : found;
}

bool isReadOnlyRegister(unsigned address)
{
    const Register* known = findRegister(address);
    return known && known->access == RegisterAccess::ReadOnly;
}

const Field* findField(std::string_view name)
{
    const auto found = std::ranges::find(kFields, name, &Field::name);
    return found == std::end(kFields) ? nullptr : found;
}

const char* accessName(RegisterAccess access)
{
    switch (access) {
    case RegisterAccess::Written:
        return "written";
    case RegisterAccess::ReadOnly:
        return "read-only";
    default:
        return "shown-only";
    }
}

} // namespace kv3124
