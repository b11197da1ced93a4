// Real boards through the Linux kernel's i2c-dev interface: one bus, named by the user.
#pragma once

#include "ptx/Backend.h"
#include "ptx/i2cdev/BusDirectory.h"
#include "ptx/i2cdev/BusSelector.h"
#include "ptx/i2cdev/FailureReporter.h"
#include "ptx/i2cdev/SystemCalls.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace ptx::i2cdev {

class BusConnection;
class PeriodicCheck;

// The serial number is the USB bridge's own, else the bus's adapter name; its own version record is 1.0 / 1.0. The
// board's power and GPIO lines belong to the bridge and its driver, so those calls only check the handle.
// While a session is open, a thread of its own looks for the bus's node a few times a second and closes
// the node once it is gone, so that an unplugged bridge is let go even while nobody touches the window.
class I2cDevBackend final : public Backend {
public:
    I2cDevBackend(BusSelector selector, std::shared_ptr<SystemCalls> system);
    ~I2cDevBackend() override;

    int findControllers() override;
    int getSerialNumber(int index, char* buffer, std::size_t size) override;
    int open(const char* serialNumber) override;
    int firmwareVersionRead(int handle, unsigned char* buffer, int length) override;
    int i2cControl(int handle, int busSetting, int speedSetting, int enable) override;
    int gpioWriteControl(int handle, const std::array<int, 13>& values) override;
    int powerWriteControl(int handle, int enable, int voltageSetting) override;
    int registerRead(int handle, int deviceAddress, int registerAddress) override;
    int registerWrite(int handle, int deviceAddress, int registerAddress, int value) override;
    int close(int handle) override;
    void waitForReturn(std::chrono::seconds wait) override;

private:
    bool isOpen(int handle) const;
    bool connect(const BusEntry& bus);
    bool reconnect();
    // Runs one register transfer, reconnecting first after an unplug: its result, or -1.
    int transfer(int address, const std::string& doing, const std::function<int(BusConnection&)>& run);
    bool awaitReturn();
    bool bridgeGone(int error);
    void closeVanishedNode();
    void disconnect();
    bool nodeExists() const;
    void explain(Cause cause, int address, const std::string& doing);
    std::string label() const;

    std::shared_ptr<SystemCalls> system_;
    BusSelector selector_;
    // The caller's calls and the node check take turns on what follows, apart from opened_ and
    // watcher_, which only the caller's thread touches.
    std::mutex mutex_;
    std::optional<BusEntry> bus_; // where the adapter was last found
    std::string serialNumber_;
    bool opened_ = false;
    // kv3124ctl's --wait; unset in the window, whose session waits for the bridge for as long as it is open.
    std::optional<std::chrono::seconds> returnWait_;
    // When the present wait for the bridge ends: until then a bridge come back that is still starting is given time.
    std::chrono::steady_clock::time_point waitEnd_;
    std::unique_ptr<BusConnection> connection_; // empty while the adapter is unplugged
    FailureReporter reporter_;
    // Last, so that it stops before anything it looks at goes.
    std::unique_ptr<PeriodicCheck> watcher_;
};

// The kernel the next createBackend(name) reaches: tests install a fake one to run a whole program on it;
// nullptr goes back to the real one.
void installKernel(std::shared_ptr<SystemCalls> system);
// The back end for a bus name such as "i2c-1", "i2c:MCP2221" or "serial:KV-SN-000A"; nullptr when `name` is not one.
std::unique_ptr<Backend> createBackend(std::string_view name);
// The same over another kernel (tests pass a fake one).
std::unique_ptr<Backend> createBackend(std::string_view name, std::shared_ptr<SystemCalls> system);

} // namespace ptx::i2cdev
