// What reached the chip, kept in a folder the test reads: "record" has one line per transfer in bus
// order ("write 14 3B", "read 3F", "no-ack 2D"), "registers" the chip's 256 registers as they are now.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace ptx::sim {
class Kv3124Registers;
}

class Record {
public:
    explicit Record(std::filesystem::path folder);

    void write(const std::vector<std::uint8_t>& bytes);
    void read(const std::vector<std::uint8_t>& bytes);
    void noAcknowledge(int address);
    void registers(const ptx::sim::Kv3124Registers& chip);

private:
    void line(const char* what, const std::vector<std::uint8_t>& bytes);

    std::filesystem::path folder_;
    std::ofstream record_;
};
