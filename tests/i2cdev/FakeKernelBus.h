// A kernel with i2c buses for tests: sysfs name files and /dev nodes as plain files in a scratch
// directory, and behind each plugged adapter a chip at 0x2C with 256 byte registers. Every ioctl
// is logged as the kernel saw it. The program never includes this.
#pragma once

#include "ptx/i2cdev/SystemCalls.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <linux/i2c-dev.h>
#include <linux/i2c.h>

namespace ptx::i2cdev {

class FakeKernelBus final : public SystemCalls {
public:
    static constexpr int kChipAddress = 0x2C;
    static constexpr unsigned long kPlainI2c = I2C_FUNC_I2C;
    static constexpr unsigned long kSmbusOnly = I2C_FUNC_SMBUS_QUICK | I2C_FUNC_SMBUS_BYTE | I2C_FUNC_SMBUS_BYTE_DATA;

    struct Adapter {
        std::string name {};
        unsigned long functions = kPlainI2c | kSmbusOnly;
        bool withNode = true; // false: i2c-dev is not loaded
        bool chipPresent = true;
        std::array<std::uint8_t, 256> registers {};
        std::uint8_t registerPointer = 0;
        std::set<unsigned long> driverAddresses {}; // addresses that a kernel driver holds
        int openError = 0; // errno that open() fails with, e.g. EACCES
        std::deque<int> transferErrors {}; // errnos that the next transfers fail with
        int messagesCompleted = -1; // I2C_RDWR claims only this many messages went through, unless -1
    };

    struct Message {
        int address = -1;
        int flags = 0;
        std::vector<std::uint8_t> bytes {}; // a read message holds the bytes returned
        bool operator==(const Message&) const = default;
    };

    // One ioctl as the kernel saw it.
    struct Call {
        int bus = -1;
        unsigned long request = 0;
        unsigned long value = 0; // I2C_SLAVE and I2C_SLAVE_FORCE: the address
        int clientAddress = -1; // I2C_SMBUS: the address claimed before
        int readWrite = -1; // I2C_SMBUS
        int command = -1;
        std::uint32_t size = 0;
        int byte = -1; // written, or returned by a read
        std::vector<Message> messages {}; // I2C_RDWR
        bool operator==(const Call&) const = default;
    };

    FakeKernelBus();
    ~FakeKernelBus() override;
    FakeKernelBus(const FakeKernelBus&) = delete; // the scratch directory is removed once
    FakeKernelBus& operator=(const FakeKernelBus&) = delete;

    Adapter& plug(int number, Adapter adapter);
    // The adapter's files go; nodes still open on it fail every ioctl with `error`.
    void unplug(int number, int error = ENODEV);
    // The adapter unplugged last comes back, registers and all, as bus `number`.
    Adapter& replug(int number);

    const std::vector<Call>& calls() const { return calls_; }
    std::vector<Call> callsOf(unsigned long request) const;
    void clearCalls() { calls_.clear(); }
    // Every node open() was asked for, in order, successful or not.
    const std::vector<std::filesystem::path>& openAttempts() const { return openAttempts_; }
    int openNodes() const { return static_cast<int>(nodes_.size()); }

    int open(const std::filesystem::path& node) override;
    int ioctl(int fd, unsigned long request, unsigned long arg) override;
    void close(int fd) override { nodes_.erase(fd); }
    std::filesystem::path sysRoot() const override { return root_ / "sys"; }
    std::filesystem::path devRoot() const override { return root_ / "dev"; }

private:
    struct Node {
        int bus = -1;
        std::shared_ptr<Adapter> adapter;
        unsigned long address = 0;
        int unpluggedError = 0;
    };

    // The files that make bus `number` appear: two sysfs name files and the node.
    std::array<std::filesystem::path, 3> filesOf(int number) const;

    std::filesystem::path root_;
    std::map<int, std::shared_ptr<Adapter>> buses_;
    std::shared_ptr<Adapter> unplugged_;
    std::map<int, Node> nodes_;
    int nextFd_ = 100;
    std::vector<Call> calls_;
    std::vector<std::filesystem::path> openAttempts_;
};

// Makes a back end for bus `name` over `kernel` the one every ptx call goes to; false for a bad name.
bool installFakeBackend(std::string_view name, std::shared_ptr<FakeKernelBus> kernel);

} // namespace ptx::i2cdev
