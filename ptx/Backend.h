// The seam between the C entry points of ptx.h and the thing that reaches a board.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <memory>

namespace ptx {

class Backend {
public:
    virtual ~Backend() = default;

    virtual int findControllers() = 0;
    virtual int getSerialNumber(int index, char* buffer, std::size_t size) = 0;
    virtual int open(const char* serialNumber) = 0;
    virtual int firmwareVersionRead(int handle, unsigned char* buffer, int length) = 0;
    virtual int i2cControl(int handle, int busSetting, int speedSetting, int enable) = 0;
    virtual int gpioWriteControl(int handle, const std::array<int, 13>& values) = 0;
    virtual int powerWriteControl(int handle, int enable, int voltageSetting) = 0;
    virtual int registerRead(int handle, int deviceAddress, int registerAddress) = 0;
    virtual int registerWrite(int handle, int deviceAddress, int registerAddress, int value) = 0;
    virtual int close(int handle) = 0;
    // From now on a call that finds the adapter unplugged waits up to `wait` for it to come back, and the
    // session ends when it does not. The simulated board and no adapter have nothing to wait for.
    virtual void waitForReturn(std::chrono::seconds) { }
};

// Makes `backend` the one every ptx call goes to (tests use it to install fakes);
// nullptr goes back to the default, the simulated board.
void installBackend(std::unique_ptr<Backend> backend);
Backend& currentBackend();

} // namespace ptx
