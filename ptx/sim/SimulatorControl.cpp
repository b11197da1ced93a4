#include "ptx/sim/SimulatorControl.h"

#include <cstdint>

namespace ptx::sim {

std::vector<Transaction> transactions()
{
    const auto& log = simulator().log();
    return { log.begin(), log.end() };
}

void clearTransactions()
{
    simulator().log().clear();
}

std::vector<RegisterAccess> registerAccesses(std::optional<Access> only)
{
    std::vector<RegisterAccess> accesses;
    for (const Transaction& transaction : simulator().log()) {
        const auto access = registerAccess(transaction);
        if (access && (!only || access->access == *only))
            accesses.push_back(*access);
    }
    return accesses;
}

int registerValue(int reg)
{
    return simulator().chip().read(static_cast<std::uint8_t>(reg));
}

int powerOnValue(int reg)
{
    return Kv3124Registers::powerOnValue(static_cast<std::uint8_t>(reg));
}

void setRegister(int reg, int value)
{
    simulator().chip().set(static_cast<std::uint8_t>(reg), static_cast<std::uint8_t>(value));
}

void setStatusBits(int value)
{
    setRegister(0x01, value);
}

void setFirmwareRecord(const FirmwareRecord& record)
{
    simulator().firmwareRecord() = record;
}

void setFault(Fault fault, bool active)
{
    auto& faults = simulator().faults().active;
    if (active)
        faults.insert(fault);
    else
        faults.erase(fault);
}

void failNextReads(int count)
{
    simulator().faults().failingReads = count;
}

void failNextWrites(int count)
{
    simulator().faults().failingWrites = count;
}

void failReadsOf(int reg)
{
    simulator().faults().failingReadRegister = reg;
}

void failWritesOf(int reg)
{
    simulator().faults().failingWriteRegister = reg;
}

void setReadResultOverride(int reg, int result)
{
    simulator().readOverrides()[reg] = result;
}

void unplug()
{
    simulator().faults().unplugged = true;
}

void replug()
{
    simulator().faults().unplugged = false;
}

void reset()
{
    simulator().reset();
}

} // namespace ptx::sim
