// The evaluation board's I2C bus behind the bridge: the KV3124 at 0x2C and nothing else, with every
// transfer that reached the chip kept in a record.
#pragma once

#include "ptx/sim/Kv3124Registers.h"

#include <cstdint>
#include <optional>
#include <vector>

class Record;

class ChipBus {
public:
    explicit ChipBus(Record& record);

    // False when no device acknowledges `address`. The first byte sets the register pointer, the rest
    // go to consecutive registers.
    bool write(int address, const std::vector<std::uint8_t>& bytes);
    // `count` bytes from the register pointer on, or nothing when no device acknowledges `address`.
    std::optional<std::vector<std::uint8_t>> read(int address, int count);
    // The chip changes a register itself, read-only or not.
    void set(std::uint8_t reg, std::uint8_t value);
    // Without the chip nothing acknowledges.
    void present(bool present) { present_ = present; }

private:
    Record& record_;
    ptx::sim::Kv3124Registers chip_;
    std::uint8_t pointer_ = 0;
    bool present_ = true;
};
