// What the simulated adapter and chip are told to get wrong.
#pragma once

#include <optional>
#include <set>

namespace ptx::sim {

enum class Fault {
    AdapterAbsent, // no adapter is found; every other call fails
    SerialNumber, // the serial number cannot be read
    FirmwareRead, // the firmware version record cannot be read
    I2cControl,
    GpioControl,
    PowerControl,
};

struct Faults {
    std::set<Fault> active;
    bool unplugged = false; // every call fails, ptxFindControllers included
    int failingReads = 0; // the next this many register reads fail
    int failingWrites = 0;
    std::optional<int> failingReadRegister;
    std::optional<int> failingWriteRegister;

    bool has(Fault fault) const { return active.contains(fault); }
};

} // namespace ptx::sim
