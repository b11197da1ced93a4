// The USB-to-I2C bridge's command protocol, as the host's driver uses it: each 64-byte output report is one
// command and gets one 64-byte input report as its answer.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class ChipBus;

using Report = std::array<std::uint8_t, 64>;

class Mcp2221 {
public:
    explicit Mcp2221(ChipBus& bus);

    // With `busy`, every transfer is refused as the engine being busy.
    Report answer(const Report& command, bool busy);

private:
    void status(const Report& command, Report& reply);
    void write(const Report& command);
    void read(const Report& command);
    void getData(Report& reply);

    ChipBus& bus_;
    // The I2C engine's state as the status command reports it, and whether the last address went unanswered.
    std::uint8_t engine_ = 0;
    bool addressNack_ = false;
    std::vector<std::uint8_t> readData_;
};
