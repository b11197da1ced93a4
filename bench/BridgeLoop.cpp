// The least a program can do for kv3124ctl dump's transfers: the same SMBus byte reads, one ioctl each, on an open
// bus node, with nothing around them. Prints, per round, the microseconds from the end of the first read (the
// presence check) to the end of the last, the span kv3124ctl's trace shows from its firmware line to its last read.
// Usage: bridge_loop /dev/i2c-N ROUNDS
#include "chip/ChipDescription.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

bool readByte(int fd, std::uint8_t reg)
{
    i2c_smbus_data data {};
    i2c_smbus_ioctl_data request { I2C_SMBUS_READ, reg, I2C_SMBUS_BYTE_DATA, &data };
    return ::ioctl(fd, I2C_SMBUS, &request) >= 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s /dev/i2c-N ROUNDS\n", argv[0]);
        return 2;
    }
    const int fd = ::open(argv[1], O_RDWR);
    if (fd < 0 || ::ioctl(fd, I2C_SLAVE, 0x2C) < 0) {
        std::perror(argv[1]);
        return 1;
    }
    for (int round = std::atoi(argv[2]); round > 0; --round) {
        if (!readByte(fd, 0x00))
            return 1;
        const auto start = std::chrono::steady_clock::now();
        for (const kv3124::Register& reg : kv3124::registers())
            if (!readByte(fd, reg.address))
                return 1;
        const auto span = std::chrono::steady_clock::now() - start;
        std::printf(
            "%lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(span).count()));
    }
    return 0;
}
