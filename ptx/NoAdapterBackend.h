// The back end for a PC without an adapter: nothing is found and every call fails.
#pragma once

#include "ptx/Backend.h"

namespace ptx {

class NoAdapterBackend final : public Backend {
public:
    int findControllers() override;
    int getSerialNumber(int index, char* buffer, std::size_t size) override;
    int open(const char* serialNumber) override;
    int firmwareVersionRead(int handle, unsigned char* buffer, int length) override;
    int i2cControl(int handle, int busSetting, int speedSetting, int enable) override;
    int gpioWriteControl(int handle, const std::array<int, 13>& values) override;
    int powerWriteControl(int handle, int enable, int voltageSetting) override;
    int registerRead(int handle, int deviceAddress, int registerAddress) override;
    int registerWrite(int handle, int deviceAddress, int registerAddress, int value) override;
    int close(int handle) override;
};

} // namespace ptx
