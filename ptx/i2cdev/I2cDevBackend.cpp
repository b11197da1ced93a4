#include "ptx/i2cdev/I2cDevBackend.h"

#include "ptx/i2cdev/BusConnection.h"
#include "ptx/i2cdev/FailureReason.h"
#include "ptx/i2cdev/LinuxSystemCalls.h"
#include "ptx/i2cdev/PeriodicCheck.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>
#include <thread>
#include <utility>

namespace ptx::i2cdev {

namespace {

constexpr int kHandle = 1;
constexpr int kChipAddress = 0x2C;
// Read once at start-up to learn whether the chip answers; reading it changes nothing.
constexpr int kPresenceRegister = 0x00;
// Bytes 0 to 3 of the version record: this back end's own version, 1.0 and 1.0.
constexpr unsigned char kVersionRecord[] = { 1, 0, 1, 0 };
// The kernel cannot finish removing an unplugged bridge while its node is open, and nothing else on
// that hub gets through until then: the node is looked for this often.
constexpr std::chrono::milliseconds kNodeCheckInterval { 250 };
constexpr Cause kUnplugged { Step::Unplug, 0 };
constexpr Cause kNotBack { Step::Unplug, ETIMEDOUT };
// How often a caller waiting for its bridge looks for it.
constexpr std::chrono::milliseconds kReturnCheckInterval { 100 };

bool isByte(int value)
{
    return value >= 0 && value <= 0xFF;
}

// Errors a bridge may give on its way out, rather than because its chip does not answer.
bool mayBeUnplugged(int error)
{
    return error == ENODEV || error == ESHUTDOWN || error == EPROTO;
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
    const std::scoped_lock lock(mutex_);
    const BusChoice choice
        = selector_.choose(listBuses(system_->sysRoot(), system_->devRoot()), hasI2cDev(system_->sysRoot()));
    bus_ = choice.bus;
    if (!bus_) {
        reporter_.report({ Step::Choose, 0 }, selector_.text() + ": " + choice.problem);
        return 0;
    }
    return 1;
}

int I2cDevBackend::getSerialNumber(int index, char* buffer, std::size_t size)
{
    const std::scoped_lock lock(mutex_);
    if (index != 0 || !bus_ || !buffer || size == 0)
        return -1;
    const std::string name = !bus_->serial.empty() ? bus_->serial
        : bus_->adapterName.empty()                ? label()
                                                   : bus_->adapterName;
    serialNumber_ = name.substr(0, size - 1);
    std::memcpy(buffer, serialNumber_.c_str(), serialNumber_.size() + 1);
    return 0;
}

int I2cDevBackend::open(const char* serialNumber)
{
    watcher_.reset(); // before taking the lock, which its check takes too
    const std::scoped_lock lock(mutex_);
    connection_.reset();
    opened_ = false;
    if (!bus_ || !serialNumber || serialNumber_.empty() || serialNumber != serialNumber_ || !connect(*bus_))
        return -1;
    opened_ = true;
    watcher_ = std::make_unique<PeriodicCheck>(kNodeCheckInterval, [this] { closeVanishedNode(); });
    return kHandle;
}

int I2cDevBackend::firmwareVersionRead(int handle, unsigned char* buffer, int length)
{
    const std::scoped_lock lock(mutex_);
    if (!isOpen(handle) || !buffer || length < 0)
        return -1;
    // Without the chip there is no session to start, so this is where its absence shows.
    const auto presence = [](BusConnection& bus) { return bus.readByte(kChipAddress, kPresenceRegister); };
    if (transfer(kChipAddress, "reading register " + hexByte(kPresenceRegister), presence) < 0)
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
    const std::scoped_lock lock(mutex_);
    if (!isOpen(handle) || !isByte(registerAddress))
        return -1;
    return transfer(deviceAddress, "reading register " + hexByte(registerAddress),
        [&](BusConnection& bus) { return bus.readByte(deviceAddress, registerAddress); });
}

int I2cDevBackend::registerWrite(int handle, int deviceAddress, int registerAddress, int value)
{
    const std::scoped_lock lock(mutex_);
    if (!isOpen(handle) || !isByte(registerAddress) || !isByte(value))
        return -1;
    return transfer(deviceAddress, "writing register " + hexByte(registerAddress),
        [&](BusConnection& bus) { return bus.writeByte(deviceAddress, registerAddress, value); });
}

int I2cDevBackend::close(int handle)
{
    if (!isOpen(handle))
        return -1;
    watcher_.reset();
    const std::scoped_lock lock(mutex_);
    connection_.reset();
    opened_ = false;
    return 0;
}

void I2cDevBackend::waitForReturn(std::chrono::seconds wait)
{
    const std::scoped_lock lock(mutex_);
    returnWait_ = wait;
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
        explain({ Step::Open, -result }, kChipAddress, "opening " + node.string());
        return false;
    }
    if (const int result = connection->readFunctions(); result < 0) {
        explain({ Step::Functions, -result }, kChipAddress, "asking the adapter what it can do");
        return false;
    }
    if (!connection->reachesChip()) {
        reporter_.report({ Step::Functions, 0 },
            label() + ": adapter \"" + bus.adapterName
                + "\" offers neither plain I2C nor SMBus byte-data transfers, so it cannot reach the chip");
        return false;
    }
    if (const int result = connection->claim(kChipAddress); result < 0) {
        explain({ Step::Claim, -result }, kChipAddress, "claiming address " + hexByte(kChipAddress));
        return false;
    }
    connection_ = std::move(connection);
    return true;
}

// After an unplug only the same bridge may carry the session on, under whatever number it comes back:
// an identical bridge elsewhere is another board, whose chip must get none of our reads and writes. A
// board named by its serial number is that bridge on any port, as long as no other carries the number.
bool I2cDevBackend::reconnect()
{
    if (connection_)
        return true;
    const std::vector<BusEntry> buses = listBuses(system_->sysRoot(), system_->devRoot());
    std::optional<BusEntry> back;
    if (selector_.bySerial())
        back = selector_.choose(buses, true).bus;
    else if (const auto found
             = std::ranges::find_if(buses, [&](const BusEntry& bus) { return bus.hasNode && sameBridge(bus, *bus_); });
             found != buses.end())
        back = *found;
    if (!back || !connect(*back))
        return false;
    reporter_.resolve(kUnplugged, describeBridge(*bus_) + " is back as " + label());
    return true;
}

int I2cDevBackend::transfer(int address, const std::string& doing, const std::function<int(BusConnection&)>& run)
{
    if (!reconnect() && !awaitReturn())
        return -1;
    for (bool first = true;; first = false) {
        const int result = run(*connection_);
        if (result >= 0) {
            reporter_.clear();
            return result;
        }
        if (!bridgeGone(-result)) {
            // A bridge waited for answers only once its driver has started it.
            if (std::chrono::steady_clock::now() < waitEnd_ && stillStarting(-result, pluggedInFor(*bus_))) {
                std::this_thread::sleep_for(kReturnCheckInterval);
                continue;
            }
            explain({ Step::Transfer, -result }, address, doing);
            return -1;
        }
        disconnect();
        // A transfer the unplug cut short goes once more on the bridge come back: a read or the same byte again.
        if (!first || !awaitReturn())
            return -1;
    }
}

// A USB bridge reports a missing acknowledge as ENXIO, EREMOTEIO or EIO, never ENODEV: there ENODEV or EPROTO
// means the bridge is going, even while its node and I2C_FUNCS still work. i2c-stub gives ENODEV for an address
// without a chip, so any other adapter is gone only when its node is, or when it no longer says what it can do.
bool I2cDevBackend::bridgeGone(int error)
{
    if (!nodeExists())
        return true;
    return mayBeUnplugged(error) && (!bus_->usbDevice.empty() || connection_->readFunctions() < 0);
}

// Looks for the bridge until kv3124ctl's --wait is over: true once it is back.
bool I2cDevBackend::awaitReturn()
{
    if (!returnWait_ || *returnWait_ <= std::chrono::seconds::zero())
        return false;
    waitEnd_ = std::chrono::steady_clock::now() + *returnWait_;
    while (std::chrono::steady_clock::now() < waitEnd_) {
        std::this_thread::sleep_for(kReturnCheckInterval);
        if (reconnect())
            return true;
    }
    reporter_.report(kNotBack,
        label() + ": " + describeBridge(*bus_) + " did not come back within " + std::to_string(returnWait_->count())
            + " s");
    return false;
}

void I2cDevBackend::closeVanishedNode()
{
    const std::scoped_lock lock(mutex_);
    if (connection_ && !nodeExists())
        disconnect();
}

// Closed at once: the kernel cannot finish removing the bridge while its node is open.
void I2cDevBackend::disconnect()
{
    connection_.reset();
    std::string waiting = "; waiting for it to come back";
    if (returnWait_)
        waiting = returnWait_->count() > 0
            ? "; waiting up to " + std::to_string(returnWait_->count()) + " s for it to come back"
            : "";
    reporter_.report(kUnplugged, label() + ": " + describeBridge(*bus_) + " is gone" + waiting);
}

bool I2cDevBackend::nodeExists() const
{
    std::error_code ignored;
    return std::filesystem::exists(nodePath(system_->devRoot(), bus_->number), ignored);
}

void I2cDevBackend::explain(Cause cause, int address, const std::string& doing)
{
    reporter_.report(cause,
        label() + ": "
            + failureReason(cause, doing, address, nodePath(system_->devRoot(), bus_->number), system_->sysRoot(),
                pluggedInFor(*bus_)));
}

std::string I2cDevBackend::label() const
{
    return busLabel(bus_->number);
}

namespace {

std::shared_ptr<SystemCalls> installedKernel;

} // namespace

void installKernel(std::shared_ptr<SystemCalls> system)
{
    installedKernel = std::move(system);
}

std::unique_ptr<Backend> createBackend(std::string_view name)
{
    return createBackend(name, installedKernel ? installedKernel : std::make_shared<LinuxSystemCalls>());
}

std::unique_ptr<Backend> createBackend(std::string_view name, std::shared_ptr<SystemCalls> system)
{
    auto selector = BusSelector::parse(name);
    if (!selector)
        return nullptr;
    return std::make_unique<I2cDevBackend>(std::move(*selector), std::move(system));
}

} // namespace ptx::i2cdev
