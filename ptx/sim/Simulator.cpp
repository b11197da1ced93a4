#include "ptx/sim/Simulator.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace ptx::sim {

namespace {

constexpr int kFailure = -1;
// The log serves tests, which clear it between cases; in a long session on the simulated
// board only the latest calls are kept, so memory stays bounded.
constexpr std::size_t kLogLimit = 1 << 16;

bool isByte(int value)
{
    return value >= 0 && value <= 0xFF;
}

// Counts down one of the "next N calls fail" faults; true while it still has calls to spoil.
bool spend(int& remaining)
{
    if (remaining <= 0)
        return false;
    --remaining;
    return true;
}

} // namespace

Simulator& simulator()
{
    static Simulator board;
    return board;
}

void Simulator::reset()
{
    chip_.powerOn();
    faults_ = {};
    log_.clear();
    firmwareRecord_ = kFirmwareRecord;
    readOverrides_.clear();
    opened_ = false;
}

int Simulator::record(Transaction transaction)
{
    if (log_.size() == kLogLimit)
        log_.pop_front();
    log_.push_back(std::move(transaction));
    return log_.back().result;
}

bool Simulator::present() const
{
    return !faults_.unplugged && !faults_.has(Fault::AdapterAbsent);
}

bool Simulator::isOpen(int handle) const
{
    return present() && opened_ && handle == kHandle;
}

int Simulator::findControllers()
{
    const int found = faults_.unplugged ? kFailure : faults_.has(Fault::AdapterAbsent) ? 0 : 1;
    return record({ Call::FindControllers, {}, {}, found });
}

int Simulator::getSerialNumber(int index, char* buffer, std::size_t size)
{
    const int result = serialNumberResult(index, buffer, size);
    return record({ Call::GetSerialNumber, { index }, result < 0 ? "" : kSerialNumber, result });
}

int Simulator::serialNumberResult(int index, char* buffer, std::size_t size) const
{
    if (!present() || faults_.has(Fault::SerialNumber) || index != 0 || !buffer || size <= std::strlen(kSerialNumber))
        return kFailure;
    std::strcpy(buffer, kSerialNumber);
    return 0;
}

int Simulator::open(const char* serialNumber)
{
    const bool matches = present() && serialNumber && std::strcmp(serialNumber, kSerialNumber) == 0;
    opened_ = opened_ || matches;
    return record({ Call::Open, {}, serialNumber ? serialNumber : "", matches ? kHandle : kFailure });
}

int Simulator::firmwareVersionRead(int handle, unsigned char* buffer, int length)
{
    return record({ Call::FirmwareVersionRead, { handle, length }, {}, firmwareResult(handle, buffer, length) });
}

int Simulator::firmwareResult(int handle, unsigned char* buffer, int length) const
{
    if (!isOpen(handle) || faults_.has(Fault::FirmwareRead) || !buffer || length < 0)
        return kFailure;
    const int copied = std::min(length, static_cast<int>(firmwareRecord_.size()));
    std::copy_n(firmwareRecord_.begin(), copied, buffer);
    return copied;
}

int Simulator::configure(int handle, Fault step, bool expectedSettings) const
{
    return isOpen(handle) && expectedSettings && !faults_.has(step) ? 0 : kFailure;
}

int Simulator::i2cControl(int handle, int busSetting, int speedSetting, int enable)
{
    const bool expected = std::array { busSetting, speedSetting, enable } == kI2cSettings;
    return record({ Call::I2cControl, { handle, busSetting, speedSetting, enable }, {},
        configure(handle, Fault::I2cControl, expected) });
}

int Simulator::gpioWriteControl(int handle, const std::array<int, 13>& values)
{
    std::vector<int> arguments { handle };
    arguments.insert(arguments.end(), values.begin(), values.end());
    return record({ Call::GpioWriteControl, std::move(arguments), {},
        configure(handle, Fault::GpioControl, values == kGpioSettings) });
}

int Simulator::powerWriteControl(int handle, int enable, int voltageSetting)
{
    const bool expected = std::array { enable, voltageSetting } == kPowerSettings;
    return record({ Call::PowerWriteControl, { handle, enable, voltageSetting }, {},
        configure(handle, Fault::PowerControl, expected) });
}

int Simulator::registerRead(int handle, int deviceAddress, int registerAddress)
{
    return record({ Call::RegisterRead, { handle, deviceAddress, registerAddress }, {},
        readResult(handle, deviceAddress, registerAddress) });
}

int Simulator::readResult(int handle, int deviceAddress, int registerAddress)
{
    if (!isOpen(handle) || deviceAddress != kDeviceAddress || !isByte(registerAddress))
        return kFailure;
    if (spend(faults_.failingReads) || faults_.failingReadRegister == registerAddress)
        return kFailure;
    if (const auto forced = readOverrides_.find(registerAddress); forced != readOverrides_.end())
        return forced->second;
    return chip_.read(static_cast<std::uint8_t>(registerAddress));
}

int Simulator::registerWrite(int handle, int deviceAddress, int registerAddress, int value)
{
    return record({ Call::RegisterWrite, { handle, deviceAddress, registerAddress, value }, {},
        writeResult(handle, deviceAddress, registerAddress, value) });
}

int Simulator::writeResult(int handle, int deviceAddress, int registerAddress, int value)
{
    if (!isOpen(handle) || deviceAddress != kDeviceAddress || !isByte(registerAddress) || !isByte(value))
        return kFailure;
    if (spend(faults_.failingWrites) || faults_.failingWriteRegister == registerAddress)
        return kFailure;
    chip_.write(static_cast<std::uint8_t>(registerAddress), static_cast<std::uint8_t>(value));
    return 0;
}

int Simulator::close(int handle)
{
    const bool closing = opened_ && handle == kHandle;
    opened_ = opened_ && !closing;
    return record({ Call::Close, { handle }, {}, closing ? 0 : kFailure });
}

} // namespace ptx::sim
