#include "Mcp2221.h"

#include "ChipBus.h"

#include <algorithm>

namespace {

enum : std::uint8_t {
    kStatusOrSet = 0x10,
    kCancel = 0x10,
    kSetSpeed = 0x20,
    kWrite = 0x90,
    kWriteNoStop = 0x94,
    kRead = 0x91,
    kReadRepeatedStart = 0x93,
    kGetData = 0x40,
};

// Engine states and flags in the answers.
constexpr std::uint8_t kIdle = 0x00;
constexpr std::uint8_t kBusy = 0x01;
constexpr std::uint8_t kAddressNack = 0x25;
constexpr std::uint8_t kReadComplete = 0x55;
constexpr std::uint8_t kNackFlag = 0x40;
constexpr std::size_t kMaxChunk = 60;

int length(const Report& command)
{
    return command[1] | command[2] << 8;
}

int address(const Report& command)
{
    return command[3] >> 1;
}

} // namespace

Mcp2221::Mcp2221(ChipBus& bus)
    : bus_(bus)
{
}

// The first byte echoes the command and the second is 0 for accepted, else the engine's state follows;
// GPIO commands get zeros, which read as plain GPIO lines at level 0.
Report Mcp2221::answer(const Report& command, bool busy)
{
    Report reply {};
    reply[0] = command[0];
    switch (command[0]) {
    case kStatusOrSet:
        status(command, reply);
        break;
    case kWrite:
    case kWriteNoStop:
    case kRead:
    case kReadRepeatedStart:
        if (busy) {
            reply[1] = kBusy;
            reply[2] = kBusy;
        } else if (command[0] == kWrite || command[0] == kWriteNoStop) {
            write(command);
        } else {
            read(command);
        }
        break;
    case kGetData:
        getData(reply);
        break;
    }
    return reply;
}

void Mcp2221::status(const Report& command, Report& reply)
{
    if (command[2] == kCancel) {
        engine_ = kIdle;
        addressNack_ = false;
        readData_.clear();
        reply[2] = kCancel;
    }
    if (command[3] == kSetSpeed)
        reply[3] = kSetSpeed;
    reply[8] = engine_;
    reply[20] = addressNack_ ? kNackFlag : 0;
}

// Writes longer than one report are not needed by a register access and are not modelled.
void Mcp2221::write(const Report& command)
{
    const auto count = std::min<std::size_t>(length(command), kMaxChunk);
    const std::vector<std::uint8_t> bytes(command.begin() + 4, command.begin() + 4 + count);
    addressNack_ = !bus_.write(address(command), bytes);
    engine_ = addressNack_ ? kAddressNack : kIdle;
}

void Mcp2221::read(const Report& command)
{
    const auto bytes = bus_.read(address(command), length(command));
    addressNack_ = !bytes;
    engine_ = addressNack_ ? kAddressNack : kReadComplete;
    readData_ = bytes.value_or(std::vector<std::uint8_t> {});
}

void Mcp2221::getData(Report& reply)
{
    if (addressNack_) {
        reply[2] = kAddressNack;
        return;
    }
    const auto count = std::min(readData_.size(), kMaxChunk);
    reply[2] = engine_;
    reply[3] = static_cast<std::uint8_t>(count);
    std::copy_n(readData_.begin(), count, reply.begin() + 4);
    readData_.erase(readData_.begin(), readData_.begin() + static_cast<long>(count));
    if (readData_.empty())
        engine_ = kIdle;
}
