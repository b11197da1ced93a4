// One open /dev/i2c-N node: what its adapter can do, the device address claimed, and the
// register transfers, each a single ioctl so that nothing else on the bus can come between.
#pragma once

#include "ptx/i2cdev/SystemCalls.h"

#include <filesystem>

struct i2c_msg;

namespace ptx::i2cdev {

class BusConnection {
public:
    explicit BusConnection(SystemCalls& system);
    ~BusConnection();
    BusConnection(const BusConnection&) = delete;
    BusConnection& operator=(const BusConnection&) = delete;

    // Each of these returns 0 (a read: the byte) or -errno.
    int open(const std::filesystem::path& node);
    int readFunctions();
    // Claims `address` unless it is already ours; never forced, so a kernel driver's address gives -EBUSY.
    int claim(int address);
    int readByte(int address, int registerAddress);
    int writeByte(int address, int registerAddress, int value);

    // The adapter offers SMBus byte-data transfers or plain I2C, both ways.
    bool reachesChip() const;

private:
    int combinedTransfer(i2c_msg* messages, unsigned count);

    SystemCalls& system_;
    int fd_ = -1;
    unsigned long functions_ = 0;
    int claimed_ = -1;
};

} // namespace ptx::i2cdev
