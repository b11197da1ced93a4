// A kernel with i2c buses for tests, in a scratch directory: each adapter under sys/bus/i2c/devices with
// its name and a `device` link to its parent device under sys/devices (none, as for i2c-stub, without a
// parent), a USB device in that path with its serial number and connection time, /dev nodes as plain files, and behind
// each adapter a chip with 256 byte registers. Every open and ioctl is logged as one line. An open node is a real
// descriptor of its file, so that other processes see it in /proc, and any thread may close it.
#pragma once

#include "ptx/i2cdev/SystemCalls.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include <linux/i2c.h>

namespace ptx::i2cdev {

class FakeKernelBus final : public SystemCalls {
public:
    struct Adapter {
        std::string name {};
        // The parent device below sys/devices; a '*' in it stands for a HID instance number, new at every plug.
        std::string parent {};
        // Of the USB device in `parent` (the last "B-P..." below "usbB"): its serial number, none when empty,
        // and how long ago it was plugged in.
        std::string serial {};
        long long pluggedInMs = 3'600'000;
        unsigned long functions = I2C_FUNC_I2C | I2C_FUNC_SMBUS_BYTE_DATA;
        std::array<std::uint8_t, 256> registers {};
        // Calls of a kind ("open", "FUNCS", "SLAVE", "SMBUS", "RDWR") fail with this errno while it is set.
        std::map<std::string, int> failures {};
        int failuresLeft = -1; // the failures end after this many calls met one, unless -1
        int messagesCompleted = -1; // I2C_RDWR claims only this many messages went through, unless -1

        int failing(const std::string& kind)
        {
            if (!failures.contains(kind) || failuresLeft == 0)
                return 0;
            failuresLeft -= failuresLeft > 0;
            return -failures.at(kind);
        }
    };

    // Without i2c-dev there is neither its sysfs class nor any /dev node.
    explicit FakeKernelBus(bool i2cDevLoaded = true);
    ~FakeKernelBus() override;

    // Throws while a node of an unplugged adapter is still open, as the kernel cannot finish its removal.
    Adapter& plug(int number, Adapter adapter);
    // The adapter's files go, and its open nodes fail every ioctl with `error`. Returns it, registers and all.
    Adapter unplug(int number, int error = ENODEV);

    // "i2c-3 open", "i2c-3 SLAVE 2C", "i2c-3 SMBUS 2C read 14 -> 5A", "i2c-3 RDWR 2C write 13 A5", ...
    std::vector<std::string> calls;
    int callsWith(std::string_view text) const;
    int openNodes() const;

    int open(const std::filesystem::path& node) override;
    int ioctl(int fd, unsigned long request, unsigned long arg) override;
    void close(int fd) override;
    std::filesystem::path sysRoot() const override { return root_ / "sys"; }
    std::filesystem::path devRoot() const override { return root_ / "dev"; }

private:
    struct Node {
        int bus;
        unsigned long address = 0;
        int unpluggedError = 0;
    };

    std::filesystem::path root_;
    bool i2cDevLoaded_;
    std::map<int, Adapter> buses_;
    mutable std::mutex mutex_; // for the nodes, which the back end's node check closes on its own thread
    std::map<int, Node> nodes_;
    int plugs_ = 0;
};

} // namespace ptx::i2cdev
