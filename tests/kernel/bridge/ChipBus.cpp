#include "ChipBus.h"

#include "Record.h"

namespace {

constexpr int kChipAddress = 0x2C;

} // namespace

ChipBus::ChipBus(Record& record)
    : record_(record)
{
    record_.registers(chip_);
}

bool ChipBus::write(int address, const std::vector<std::uint8_t>& bytes)
{
    if (address != kChipAddress || !present_) {
        record_.noAcknowledge(address);
        return false;
    }
    record_.write(bytes);
    if (bytes.empty())
        return true;
    pointer_ = bytes.front();
    for (auto byte = bytes.begin() + 1; byte != bytes.end(); ++byte)
        chip_.write(pointer_++, *byte);
    record_.registers(chip_);
    return true;
}

std::optional<std::vector<std::uint8_t>> ChipBus::read(int address, int count)
{
    if (address != kChipAddress || !present_) {
        record_.noAcknowledge(address);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < count; ++i)
        bytes.push_back(chip_.read(pointer_++));
    record_.read(bytes);
    return bytes;
}

void ChipBus::set(std::uint8_t reg, std::uint8_t value)
{
    chip_.set(reg, value);
    record_.registers(chip_);
}
