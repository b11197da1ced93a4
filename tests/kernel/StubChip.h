// The chip as the kernel's i2c-stub emulates it on /dev/i2c-0, loaded with kmod and read and written
// with i2c-tools, so that what the chip holds is never seen through our own code.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>

#include <sys/wait.h>

namespace stub {

struct Result {
    int status;
    std::string output; // standard output and error
};

inline Result run(const std::string& command)
{
    Result result { -1, {} };
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        result.output += buffer;
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// Loads i2c-stub afresh (all registers 0) with one chip at `address`, or leaves it unloaded for nullptr.
inline void load(const char* address)
{
    run("rmmod i2c_stub");
    if (address) {
        ASSERT_EQ(run(std::string("modprobe i2c-stub chip_addr=") + address).status, 0);
    }
}

inline void set(std::initializer_list<std::pair<int, int>> registers)
{
    for (const auto& [reg, value] : registers)
        ASSERT_EQ(run("i2cset -y 0 0x2c " + std::to_string(reg) + ' ' + std::to_string(value)).status, 0);
}

// The register's byte, or -1 when i2cget cannot read it.
inline int get(int reg)
{
    const Result result = run("i2cget -y 0 0x2c " + std::to_string(reg));
    return result.status == 0 ? std::stoi(result.output, nullptr, 16) : -1;
}

} // namespace stub
