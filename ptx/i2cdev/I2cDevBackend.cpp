#include "ptx/i2cdev/I2cDevBackend.h"

#include "ptx/i2cdev/BusConnection.h"
#include "ptx/i2cdev/LinuxSystemCalls.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <utility>

namespace ptx::i2cdev {

namespace {

constexpr int kHandle = 1;
constexpr int kChipAddress = 0x2C;
// Read once at start-up to learn whether the chip answers; reading it changes nothing.
constexpr int kPresenceRegister = 0x00;
// Bytes 0 to 3 of the version record: this back end's own version, 1.0 and 1.0.
constexpr unsigned char kVersionRecord[] = { 1, 0, 1, 0 };

bool isByte(int value)
{
    return value >= 0 && value <= 0xFF;
}

std::string hexByte(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(value) & 0xFFu);
    return text;
}

} // namespace

I2cDevBackend::I2cDevBackend(BusSelector selector, std::shared_ptr<SystemCalls> system)
    : system_(std::move(system))
    , selector_(std::move(selector))
{
}

I2cDevBackend::~I2cDevBackend() = default;

int I2cDevBackend::findControllers()
{
    const BusChoice choice
        = selector_.choose(listBuses(system_->sysRoot(), system_->devRoot()), hasI2cDev(system_->sysRoot()));
    bus_ = choice.bus;
    if (!bus_) {
        reporter_.report(selector_.text() + ": " + choice.problem);
        return 0;
    }
    return 1;
}

int I2cDevBackend::getSerialNumber(int index, char* buffer, std::size_t size)
{
    if (index != 0 || !bus_ || !buffer || size == 0)
        return -1;
    const std::string name = bus_->adapterName.empty() ? label() : bus_->adapterName;
    serialNumber_ = name.substr(0, size - 1);
    std::memcpy(buffer, serialNumber_.c_str(), serialNumber_.size() + 1);
    return 0;
}

int I2cDevBackend::open(const char* serialNumber)
{
    connection_.reset();
    opened_ = false;
    if (!bus_ || !serialNumber || serialNumber_.empty() || serialNumber != serialNumber_ || !connect(*bus_))
        return -1;
    opened_ = true;
    return kHandle;
}

int I2cDevBackend::firmwareVersionRead(int handle, unsigned char* buffer, int length)
{
    if (!isOpen(handle) || !buffer || length < 0)
        return -1;
    // Without the chip there is no session to start, so this is where its absence shows.
    if (registerRead(handle, kChipAddress, kPresenceRegister) < 0)
        return -1;
    for (int i = 0; i < length; ++i)
        buffer[i] = i < static_cast<int>(std::size(kVersionRecord)) ? kVersionRecord[i] : 0;
    return 0;
}

int I2cDevBackend::i2cControl(int handle, int, int, int)
{
    return isOpen(handle) ? 0 : -1;
}

int I2cDevBackend::gpioWriteControl(int handle, const std::array<int, 13>&)
{
    return isOpen(handle) ? 0 : -1;
}

int I2cDevBackend::powerWriteControl(int handle, int, int)
{
    return isOpen(handle) ? 0 : -1;
}

int I2cDevBackend::registerRead(int handle, int deviceAddress, int registerAddress)
{
    if (!isOpen(handle) || !isByte(registerAddress) || !reconnect())
        return -1;
    const int result = connection_->readByte(deviceAddress, registerAddress);
    if (result < 0)
        return failTransfer(-result, deviceAddress, "reading register " + hexByte(registerAddress));
    reporter_.clear();
    return result;
}

int I2cDevBackend::registerWrite(int handle, int deviceAddress, int registerAddress, int value)
{
    if (!isOpen(handle) || !isByte(registerAddress) || !isByte(value) || !reconnect())
        return -1;
    const int result = connection_->writeByte(deviceAddress, registerAddress, value);
    if (result < 0)
        return failTransfer(-result, deviceAddress, "writing register " + hexByte(registerAddress));
    reporter_.clear();
    return 0;
}

bool I2cDevBackend::isOpen(int handle) const
{
    return opened_ && handle == kHandle;
}

bool I2cDevBackend::connect(const BusEntry& bus)
{
    bus_ = bus;
    const auto node = nodePath(system_->devRoot(), bus.number);
    auto connection = std::make_unique<BusConnection>(*system_);
    if (const int result = connection->open(node); result < 0) {
        explain(-result, kChipAddress, "opening " + node.string());
        return false;
    }
    if (const int result = connection->readFunctions(); result < 0) {
        explain(-result, kChipAddress, "asking the adapter what it can do");
        return false;
    }
    if (!connection->reachesChip()) {
        reporter_.report(label() + ": adapter \"" + bus.adapterName
            + "\" offers neither plain I2C nor SMBus byte-data transfers, so it cannot reach the chip");
        return false;
    }
    if (const int result = connection->claim(kChipAddress); result < 0) {
        explain(-result, kChipAddress, "claiming address " + hexByte(kChipAddress));
        return false;
    }
    connection_ = std::move(connection);
    return true;
}

// After an unplug only the same bridge may carry the session on, under whatever number it comes back:
// an identical bridge elsewhere is another board, whose chip must get none of our reads and writes.
bool I2cDevBackend::reconnect()
{
    if (connection_)
        return true;
    const std::vector<BusEntry> buses = listBuses(system_->sysRoot(), system_->devRoot());
    const auto back
        = std::ranges::find_if(buses, [&](const BusEntry& bus) { return bus.hasNode && sameBridge(bus, *bus_); });
    if (back == buses.end() || !connect(*back))
        return false;
    reporter_.clear();
    reporter_.report(describeBridge(*bus_) + " is back as " + label());
    return true;
}

int I2cDevBackend::failTransfer(int error, int address, const std::string& doing)
{
    std::error_code ignored;
    if (error == ENODEV || !std::filesystem::exists(nodePath(system_->devRoot(), bus_->number), ignored)) {
        // Closing at once matters: the kernel cannot remove the adapter while its node is open.
        connection_.reset();
        reporter_.report(label() + ": " + describeBridge(*bus_) + " is gone; waiting for it to come back");
        return -1;
    }
    explain(error, address, doing);
    return -1;
}

void I2cDevBackend::explain(int error, int address, const std::string& doing)
{
    std::string reason;
    switch (error) {
    case ENOENT:
        reason = noSuchBus(hasI2cDev(system_->sysRoot()));
        break;
    case EACCES:
    case EPERM:
        reason = "permission denied on " + nodePath(system_->devRoot(), bus_->number).string()
            + " (join the i2c group or add a udev rule for it)";
        break;
    case EBUSY:
        reason = "a kernel driver already owns address " + hexByte(address) + " on this bus";
        break;
    // Bridges report a missing acknowledge in different ways.
    case ENXIO:
    case EREMOTEIO:
    case ETIMEDOUT:
    case EIO:
        reason = "no device answers at " + hexByte(address);
        break;
    default:
        reason = doing + ": " + std::strerror(error);
    }
    reporter_.report(label() + ": " + reason);
}

std::string I2cDevBackend::label() const
{
    return busLabel(bus_->number);
}

std::unique_ptr<Backend> createBackend(std::string_view name)
{
    return createBackend(name, std::make_shared<LinuxSystemCalls>());
}

std::unique_ptr<Backend> createBackend(std::string_view name, std::shared_ptr<SystemCalls> system)
{
    auto selector = BusSelector::parse(name);
    if (!selector)
        return nullptr;
    return std::make_unique<I2cDevBackend>(std::move(*selector), std::move(system));
}

} // namespace ptx::i2cdev
