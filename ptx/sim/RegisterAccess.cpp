#include "ptx/sim/RegisterAccess.h"

#include <ios>
#include <ostream>

namespace ptx::sim {

std::optional<RegisterAccess> registerAccess(const Transaction& transaction)
{
    const auto& arguments = transaction.arguments;
    const bool ok = transaction.result >= 0;
    switch (transaction.call) {
    case Call::RegisterRead:
        return RegisterAccess { Access::Read, arguments[2], transaction.result, ok, arguments[0], arguments[1] };
    case Call::RegisterWrite:
        return RegisterAccess { Access::Write, arguments[2], arguments[3], ok, arguments[0], arguments[1] };
    default:
        return std::nullopt;
    }
}

std::ostream& operator<<(std::ostream& out, const RegisterAccess& access)
{
    const auto flags = out.flags();
    out << (access.access == Access::Read ? "read" : "write") << std::hex << std::showbase << " reg "
        << access.registerAddress << " value " << access.value << " device " << access.deviceAddress << std::dec
        << " handle " << access.handle << (access.ok ? "" : " FAILED");
    out.flags(flags);
    return out;
}

} // namespace ptx::sim
