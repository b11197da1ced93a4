// The C entry points: each forwards to the back end in use.
#include "ptx/ptx.h"

#include "ptx/Backend.h"
#include "ptx/NoAdapterBackend.h"
#include "ptx/i2cdev/I2cDevBackend.h"

#include <memory>
#include <string_view>
#include <utility>

using ptx::currentBackend;

int ptxFindControllers(void)
{
    return currentBackend().findControllers();
}

int ptxGetSerialNumber(int index, char* serialNumber)
{
    return currentBackend().getSerialNumber(index, serialNumber, PTX_SERIAL_NUMBER_SIZE);
}

int ptxOpen(const char* serialNumber)
{
    return currentBackend().open(serialNumber);
}

int ptxFirmwareVersion_Read(int handle, unsigned char* buffer, int length)
{
    return currentBackend().firmwareVersionRead(handle, buffer, length);
}

int ptxI2C_Control(int handle, int busSetting, int speedSetting, int enable)
{
    return currentBackend().i2cControl(handle, busSetting, speedSetting, enable);
}

int ptxGPIO_WriteControl(int handle, int v0, int v1, int v2, int v3, int v4, int v5, int v6, int v7, int v8, int v9,
    int v10, int v11, int v12)
{
    return currentBackend().gpioWriteControl(handle, { v0, v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11, v12 });
}

int ptxPower_WriteControl(int handle, int enable, int voltageSetting)
{
    return currentBackend().powerWriteControl(handle, enable, voltageSetting);
}

int ptxI2C_RegisterRead(int handle, int deviceAddress, int registerAddress)
{
    return currentBackend().registerRead(handle, deviceAddress, registerAddress);
}

int ptxI2C_RegisterWrite(int handle, int deviceAddress, int registerAddress, int value)
{
    return currentBackend().registerWrite(handle, deviceAddress, registerAddress, value);
}

int ptxClose(int handle)
{
    return currentBackend().close(handle);
}

int ptxSelectBackend(const char* name)
{
    const std::string_view chosen = name ? name : "";
    if (chosen.empty() || chosen == "sim") {
        ptx::installBackend(nullptr);
        return 0;
    }
    if (chosen == "none") {
        ptx::installBackend(std::make_unique<ptx::NoAdapterBackend>());
        return 0;
    }
    auto backend = ptx::i2cdev::createBackend(chosen);
    if (!backend)
        return -1;
    ptx::installBackend(std::move(backend));
    return 0;
}
