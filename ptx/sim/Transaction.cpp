#include "ptx/sim/Transaction.h"

#include <ostream>

namespace ptx::sim {

const char* callName(Call call)
{
    switch (call) {
    case Call::FindControllers:
        return "ptxFindControllers";
    case Call::GetSerialNumber:
        return "ptxGetSerialNumber";
    case Call::Open:
        return "ptxOpen";
    case Call::FirmwareVersionRead:
        return "ptxFirmwareVersion_Read";
    case Call::I2cControl:
        return "ptxI2C_Control";
    case Call::GpioWriteControl:
        return "ptxGPIO_WriteControl";
    case Call::PowerWriteControl:
        return "ptxPower_WriteControl";
    case Call::RegisterRead:
        return "ptxI2C_RegisterRead";
    case Call::RegisterWrite:
        return "ptxI2C_RegisterWrite";
    case Call::Close:
        return "ptxClose";
    }
    return "?";
}

std::ostream& operator<<(std::ostream& out, const Transaction& transaction)
{
    out << callName(transaction.call) << '(';
    const char* separator = "";
    for (const int argument : transaction.arguments) {
        out << separator << argument;
        separator = ", ";
    }
    if (!transaction.text.empty())
        out << separator << '"' << transaction.text << '"';
    return out << ") -> " << transaction.result;
}

} // namespace ptx::sim
