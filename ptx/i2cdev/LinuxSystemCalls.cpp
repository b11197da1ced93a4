#include "ptx/i2cdev/LinuxSystemCalls.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace ptx::i2cdev {

int LinuxSystemCalls::open(const std::filesystem::path& node)
{
    const int fd = ::open(node.c_str(), O_RDWR | O_CLOEXEC);
    return fd < 0 ? -errno : fd;
}

int LinuxSystemCalls::ioctl(int fd, unsigned long request, unsigned long arg)
{
    const int result = ::ioctl(fd, request, arg);
    return result < 0 ? -errno : result;
}

void LinuxSystemCalls::close(int fd)
{
    ::close(fd);
}

std::filesystem::path LinuxSystemCalls::sysRoot() const
{
    return "/sys";
}

std::filesystem::path LinuxSystemCalls::devRoot() const
{
    return "/dev";
}

} // namespace ptx::i2cdev
