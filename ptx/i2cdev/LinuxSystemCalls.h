// The real kernel behind SystemCalls.
#pragma once

#include "ptx/i2cdev/SystemCalls.h"

namespace ptx::i2cdev {

class LinuxSystemCalls final : public SystemCalls {
public:
    int open(const std::filesystem::path& node) override;
    int ioctl(int fd, unsigned long request, unsigned long arg) override;
    void close(int fd) override;
    std::filesystem::path sysRoot() const override;
    std::filesystem::path devRoot() const override;
};

} // namespace ptx::i2cdev
