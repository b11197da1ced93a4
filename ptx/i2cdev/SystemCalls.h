// What the i2c-dev back end needs of the kernel, so that tests can stand in for it.
#pragma once

#include <filesystem>

namespace ptx::i2cdev {

class SystemCalls {
public:
    virtual ~SystemCalls() = default;

    // Opens a /dev/i2c-N node for reading and writing: a file descriptor, or -errno.
    virtual int open(const std::filesystem::path& node) = 0;
    // The ioctl's result, or -errno. `arg` is the kernel's unsigned long: a value or a pointer.
    virtual int ioctl(int fd, unsigned long request, unsigned long arg) = 0;
    virtual void close(int fd) = 0;

    // Where sysfs and the device nodes are mounted.
    virtual std::filesystem::path sysRoot() const = 0;
    virtual std::filesystem::path devRoot() const = 0;
};

} // namespace ptx::i2cdev
