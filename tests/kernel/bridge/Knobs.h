// What a test asks of the emulated board, through files in its folder read before each command: "fault"
// holds one word that stays until changed ("nack": nothing acknowledges 0x2C; "silent": the bridge stops
// answering; "busy": its I2C engine stays busy), and "set" holds "RR VV" lines (hexadecimal) of registers the
// chip itself changes (its status bits, say), applied once and then removed, under the lock "set.lock".
#pragma once

#include <cstdint>
#include <filesystem>
#include <utility>
#include <vector>

enum class Fault { None, Nack, Silent, Busy };

class Knobs {
public:
    explicit Knobs(std::filesystem::path folder);

    Fault fault() const;
    // The register settings asked for since the last call.
    std::vector<std::pair<std::uint8_t, std::uint8_t>> takeSettings() const;

private:
    std::filesystem::path folder_;
};
