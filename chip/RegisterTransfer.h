// Reading the whole chip and bringing a snapshot back onto it, over the caller's register access.
#pragma once

#include "chip/ChipDescription.h"
#include "chip/RegisterBus.h"
#include "chip/Snapshot.h"

#include <span>

#include <string>
#include <vector>

namespace kv3124 {

struct ReadResult {
    RegisterValues values;
    std::string error; // names the register whose read failed; reading stops there
};

struct LoadResult {
    std::vector<std::uint8_t> written; // in write order, each read back equal
    std::vector<std::uint8_t> skipped; // registers of the snapshot the panel never writes, in file order
    std::string error; // the write or read-back that stopped the load, and what was written before it
};

// Every register Readback All reads, in its order.
ReadResult readAllRegisters(const RegisterBus& bus);
// The registers of `regs`, in their order.
ReadResult readRegisters(const RegisterBus& bus, std::span<const Register> regs);
// Writes the snapshot's panel-written registers in a safe order, each read back and compared before the next, so
// that nothing further is switched on over a register that did not take.
LoadResult loadSnapshot(const RegisterBus& bus, const std::vector<SnapshotEntry>& entries);
// The writes loadSnapshot makes for `entries`, in its order and with its values, for a chip that takes them all.
std::vector<SnapshotEntry> loadWrites(const std::vector<SnapshotEntry>& entries);

} // namespace kv3124
