#include "chip/RegisterTransfer.h"

#include "chip/ChipDescription.h"
#include "chip/Number.h"

#include <algorithm>

namespace kv3124 {

namespace {

constexpr std::uint8_t kControl = 0x00;
constexpr std::uint8_t kResetBit = 0x80;

// The boost converter's frequency and compensation first: it feeds the strings. Then the current scale, so that no
// string runs at a stale, higher current; the PWM generator before the mode that may select it; step time and
// smoothing before any brightness change, so that the change ramps as configured. Then the LED outputs, the
// brightness (low byte first, as the slider writes it) and last the control register with the backlight enable,
// so the board lights only once everything else is in place.
constexpr std::uint8_t kLoadOrder[] = { 0x13, 0x11, 0x12, 0x10, 0x15, 0x14, 0x03, 0x04, kControl };

} // namespace

ReadResult readAllRegisters(const RegisterBus& bus)
{
    return readRegisters(bus, registers());
}

ReadResult readRegisters(const RegisterBus& bus, std::span<const Register> regs)
{
    ReadResult result;
    for (const Register& reg : regs) {
        std::uint8_t value = 0;
        if (!bus.read(reg.address, value))
            return { {}, readFailure(bus, reg.address) };
        result.values[reg.address] = value;
    }
    return result;
}

LoadResult loadSnapshot(const RegisterBus& bus, const std::vector<SnapshotEntry>& entries)
{
    LoadResult result;
    for (const SnapshotEntry& entry : entries)
        if (findRegister(entry.reg)->access != RegisterAccess::Written)
            result.skipped.push_back(entry.reg);
    for (std::uint8_t reg : kLoadOrder) {
        const auto entry = std::ranges::find(entries, reg, &SnapshotEntry::reg);
        if (entry == entries.end())
            continue;
        // A load never resets the chip.
        const auto value = static_cast<std::uint8_t>(reg == kControl ? entry->value & ~kResetBit : entry->value);
        std::uint8_t readBack = 0;
        std::string problem;
        if (!bus.write(reg, value))
            problem = writeFailure(bus, reg, value);
        else if (!bus.read(reg, readBack))
            problem = "reading back register " + hex(reg) + failedOn(bus);
        else if (readBack != value)
            problem = "register " + hex(reg) + " reads back " + hex(readBack) + ", not " + hex(value) + " as written";
        if (!problem.empty()) {
            result.error
                = problem + "; written before: " + (result.written.empty() ? "nothing" : hexList(result.written));
            return result;
        }
        result.written.push_back(reg);
    }
    return result;
}

std::vector<SnapshotEntry> loadWrites(const std::vector<SnapshotEntry>& entries)
{
    std::vector<SnapshotEntry> writes;
    RegisterValues chip;
    const RegisterBus recorder { [&](std::uint8_t reg, std::uint8_t& value) { return value = chip[reg], true; },
        [&](std::uint8_t reg, std::uint8_t value) {
            writes.push_back({ reg, value });
            chip[reg] = value;
            return true;
        },
        {} };
    loadSnapshot(recorder, entries);
    return writes;
}

} // namespace kv3124
