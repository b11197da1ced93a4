// One call into the simulated adapter as the simulator records it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace ptx::sim {

enum class Call {
    FindControllers,
    GetSerialNumber,
    Open,
    FirmwareVersionRead,
    I2cControl,
    GpioWriteControl,
    PowerWriteControl,
    RegisterRead,
    RegisterWrite,
    Close,
};

struct Transaction {
    Call call;
    // The integer arguments in call order, the handle first where the call takes one:
    // GetSerialNumber {index}, FirmwareVersionRead {handle, length}, RegisterRead {handle, device, register},
    // RegisterWrite {handle, device, register, value}, Close {handle}; FindControllers and Open take none.
    std::vector<int> arguments;
    // The serial number Open was given, or the one GetSerialNumber wrote; empty otherwise.
    std::string text;
    int result;

    bool operator==(const Transaction&) const = default;
};

const char* callName(Call call);
std::ostream& operator<<(std::ostream& out, const Transaction& transaction);

} // namespace ptx::sim
