#include "ptx/i2cdev/BusConnection.h"

#include <cerrno>
#include <cstdint>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>

namespace ptx::i2cdev {

namespace {

// Pointer arguments travel in the ioctl's unsigned long, as the kernel's own interface has it.
template <typename T> unsigned long pointerArg(T* data)
{
    return reinterpret_cast<std::uintptr_t>(data);
}

} // namespace

BusConnection::BusConnection(SystemCalls& system)
    : system_(system)
{
}

BusConnection::~BusConnection()
{
    if (fd_ >= 0)
        system_.close(fd_);
}

int BusConnection::open(const std::filesystem::path& node)
{
    const int fd = system_.open(node);
    if (fd < 0)
        return fd;
    fd_ = fd;
    return 0;
}

int BusConnection::readFunctions()
{
    // I2C_FUNCS stores an unsigned long, whatever the width of int.
    const int result = system_.ioctl(fd_, I2C_FUNCS, pointerArg(&functions_));
    return result < 0 ? result : 0;
}

bool BusConnection::reachesChip() const
{
    const bool plainI2c = functions_ & I2C_FUNC_I2C;
    return (plainI2c || (functions_ & I2C_FUNC_SMBUS_READ_BYTE_DATA))
        && (plainI2c || (functions_ & I2C_FUNC_SMBUS_WRITE_BYTE_DATA));
}

int BusConnection::claim(int address)
{
    if (address == claimed_)
        return 0;
    const int result = system_.ioctl(fd_, I2C_SLAVE, static_cast<unsigned long>(address));
    if (result < 0)
        return result;
    claimed_ = address;
    return 0;
}

int BusConnection::readByte(int address, int registerAddress)
{
    if (const int claimed = claim(address); claimed < 0)
        return claimed;
    auto command = static_cast<__u8>(registerAddress);
    if (functions_ & I2C_FUNC_SMBUS_READ_BYTE_DATA) {
        i2c_smbus_data data {};
        i2c_smbus_ioctl_data request { I2C_SMBUS_READ, command, I2C_SMBUS_BYTE_DATA, &data };
        const int result = system_.ioctl(fd_, I2C_SMBUS, pointerArg(&request));
        return result < 0 ? result : data.byte;
    }
    __u8 value = 0;
    i2c_msg messages[] = {
        { static_cast<__u16>(address), 0, 1, &command },
        { static_cast<__u16>(address), I2C_M_RD, 1, &value },
    };
    const int result = combinedTransfer(messages, 2);
    return result < 0 ? result : value;
}

int BusConnection::writeByte(int address, int registerAddress, int value)
{
    if (const int claimed = claim(address); claimed < 0)
        return claimed;
    if (functions_ & I2C_FUNC_SMBUS_WRITE_BYTE_DATA) {
        i2c_smbus_data data {};
        data.byte = static_cast<__u8>(value);
        i2c_smbus_ioctl_data request { I2C_SMBUS_WRITE, static_cast<__u8>(registerAddress), I2C_SMBUS_BYTE_DATA,
            &data };
        const int result = system_.ioctl(fd_, I2C_SMBUS, pointerArg(&request));
        return result < 0 ? result : 0;
    }
    __u8 bytes[] = { static_cast<__u8>(registerAddress), static_cast<__u8>(value) };
    i2c_msg message { static_cast<__u16>(address), 0, 2, bytes };
    return combinedTransfer(&message, 1);
}

int BusConnection::combinedTransfer(i2c_msg* messages, unsigned count)
{
    i2c_rdwr_ioctl_data request { messages, count };
    const int result = system_.ioctl(fd_, I2C_RDWR, pointerArg(&request));
    if (result < 0)
        return result;
    // The kernel reports how many messages went through; anything short is a failed transfer.
    return result == static_cast<int>(count) ? 0 : -EIO;
}

} // namespace ptx::i2cdev
