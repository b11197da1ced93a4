#include "Record.h"

#include "ptx/sim/Kv3124Registers.h"

#include <cstdio>

namespace {

std::string hex(int byte)
{
    char text[4];
    std::snprintf(text, sizeof text, "%02X", byte & 0xFF);
    return text;
}

} // namespace

Record::Record(std::filesystem::path folder)
    : folder_(std::move(folder))
    , record_(folder_ / "record", std::ios::trunc)
{
}

void Record::write(const std::vector<std::uint8_t>& bytes)
{
    line("write", bytes);
}

void Record::read(const std::vector<std::uint8_t>& bytes)
{
    line("read", bytes);
}

void Record::noAcknowledge(int address)
{
    line("no-ack", { static_cast<std::uint8_t>(address) });
}

void Record::line(const char* what, const std::vector<std::uint8_t>& bytes)
{
    record_ << what;
    for (const auto byte : bytes)
        record_ << ' ' << hex(byte);
    record_ << std::endl;
}

// Written aside and renamed, so that a reader never sees half a file.
void Record::registers(const ptx::sim::Kv3124Registers& chip)
{
    const auto part = folder_ / "registers.part";
    {
        std::ofstream out(part, std::ios::trunc);
        for (int reg = 0; reg < 256; ++reg)
            out << hex(chip.read(static_cast<std::uint8_t>(reg))) << (reg % 16 == 15 ? '\n' : ' ');
    }
    std::filesystem::rename(part, folder_ / "registers");
}
