// The bus trace behind ptxTraceTo: the entry points hand each call's arguments and result to it while it is on.
#pragma once

#include <array>
#include <atomic>

namespace ptx::trace {

// Where lines go; negative while the trace is off.
extern std::atomic<int> descriptor;

// The one check an entry point makes while the trace is off.
inline bool on()
{
    return descriptor.load(std::memory_order_acquire) >= 0;
}

// Restarts the clock and sends lines to `fd`, or stops them for a negative `fd`.
void to(int fd);

void findControllers(int result);
void getSerialNumber(int index, const char* serialNumber, int result);
void open(const char* serialNumber, int result);
void firmwareVersionRead(const unsigned char* buffer, int length, int result);
void i2cControl(int busSetting, int speedSetting, int enable, int result);
void gpioWriteControl(const std::array<int, 13>& values, int result);
void powerWriteControl(int enable, int voltageSetting, int result);
void registerRead(int deviceAddress, int registerAddress, int result);
void registerWrite(int deviceAddress, int registerAddress, int value, int result);
void close(int handle, int result);

} // namespace ptx::trace
