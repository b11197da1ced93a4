// A register read or write on the simulated bus, in the shape tests compare against.
#pragma once

#include "ptx/sim/Simulator.h"
#include "ptx/sim/Transaction.h"

#include <iosfwd>
#include <optional>

namespace ptx::sim {

enum class Access { Read, Write };

struct RegisterAccess {
    Access access;
    int registerAddress;
    // The byte written, or what the read returned (its raw result, negative when it failed).
    int value;
    bool ok = true;
    int handle = kHandle;
    int deviceAddress = kDeviceAddress;

    bool operator==(const RegisterAccess&) const = default;
};

// The register access a transaction made; nothing for the other calls.
std::optional<RegisterAccess> registerAccess(const Transaction& transaction);
std::ostream& operator<<(std::ostream& out, const RegisterAccess& access);

} // namespace ptx::sim
