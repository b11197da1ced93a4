// Test support for the simulated board: what went over the bus, the chip's registers, and faults to inject.
// The program itself never includes this.
#pragma once

#include "ptx/sim/Faults.h"
#include "ptx/sim/RegisterAccess.h"
#include "ptx/sim/Simulator.h"
#include "ptx/sim/Transaction.h"

#include <optional>
#include <vector>

namespace ptx::sim {

// Every call the simulated adapter received since the last reset or clear, in order.
std::vector<Transaction> transactions();
void clearTransactions();
// The register reads and writes among them, or only the reads or only the writes.
std::vector<RegisterAccess> registerAccesses(std::optional<Access> only = std::nullopt);

int registerValue(int reg);
int powerOnValue(int reg);
// Sets a register directly, the read-only status register included.
void setRegister(int reg, int value);
void setStatusBits(int value);
void setFirmwareRecord(const FirmwareRecord& record);

void setFault(Fault fault, bool active = true);
void failNextReads(int count);
void failNextWrites(int count);
void failReadsOf(int reg);
void failWritesOf(int reg);
// Reads of `reg` return `result` as it stands, e.g. a value above 0xFF.
void setReadResultOverride(int reg, int result);
// Every call fails until replug(); an adapter opened before stays open.
void unplug();
void replug();

// Power-on registers, adapter not yet open, firmware record 2.5/1.3, no faults or overrides, empty log.
void reset();

} // namespace ptx::sim
