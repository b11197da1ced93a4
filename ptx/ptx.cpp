// The C entry points: each forwards to the back end in use and, while the trace is on, tells it what happened.
#include "ptx/ptx.h"

#include "ptx/Backend.h"
#include "ptx/LastFailure.h"
#include "ptx/NoAdapterBackend.h"
#include "ptx/Trace.h"
#include "ptx/i2cdev/I2cDevBackend.h"

#include <array>
#include <memory>
#include <string_view>
#include <utility>

using ptx::currentBackend;
namespace failure = ptx::failure;
namespace trace = ptx::trace;

int ptxFindControllers(void)
{
    const int result = currentBackend().findControllers();
    if (trace::on()) [[unlikely]]
        trace::findControllers(result);
    failure::settle(result > 0, "no adapter found");
    return result;
}

int ptxGetSerialNumber(int index, char* serialNumber)
{
    const int result = currentBackend().getSerialNumber(index, serialNumber, PTX_SERIAL_NUMBER_SIZE);
    if (trace::on()) [[unlikely]]
        trace::getSerialNumber(index, serialNumber, result);
    failure::settle(result >= 0, "the adapter's serial number cannot be read");
    return result;
}

int ptxOpen(const char* serialNumber)
{
    const int result = currentBackend().open(serialNumber);
    if (trace::on()) [[unlikely]]
        trace::open(serialNumber, result);
    failure::settle(result >= 0, "the adapter cannot be opened");
    return result;
}

int ptxFirmwareVersion_Read(int handle, unsigned char* buffer, int length)
{
    const int result = currentBackend().firmwareVersionRead(handle, buffer, length);
    if (trace::on()) [[unlikely]]
        trace::firmwareVersionRead(buffer, length, result);
    failure::settle(result >= 0, "the adapter's firmware version cannot be read");
    return result;
}

int ptxI2C_Control(int handle, int busSetting, int speedSetting, int enable)
{
    const int result = currentBackend().i2cControl(handle, busSetting, speedSetting, enable);
    if (trace::on()) [[unlikely]]
        trace::i2cControl(busSetting, speedSetting, enable, result);
    failure::settle(result >= 0, "the adapter's I2C configuration failed");
    return result;
}

int ptxGPIO_WriteControl(int handle, int v0, int v1, int v2, int v3, int v4, int v5, int v6, int v7, int v8, int v9,
    int v10, int v11, int v12)
{
    const std::array values { v0, v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11, v12 };
    const int result = currentBackend().gpioWriteControl(handle, values);
    if (trace::on()) [[unlikely]]
        trace::gpioWriteControl(values, result);
    failure::settle(result >= 0, "the adapter's GPIO configuration failed");
    return result;
}

int ptxPower_WriteControl(int handle, int enable, int voltageSetting)
{
    const int result = currentBackend().powerWriteControl(handle, enable, voltageSetting);
    if (trace::on()) [[unlikely]]
        trace::powerWriteControl(enable, voltageSetting, result);
    failure::settle(result >= 0, "the adapter's power configuration failed");
    return result;
}

int ptxI2C_RegisterRead(int handle, int deviceAddress, int registerAddress)
{
    const int result = currentBackend().registerRead(handle, deviceAddress, registerAddress);
    if (trace::on()) [[unlikely]]
        trace::registerRead(deviceAddress, registerAddress, result);
    failure::settle(result >= 0, "no answer on the bus");
    return result;
}

int ptxI2C_RegisterWrite(int handle, int deviceAddress, int registerAddress, int value)
{
    const int result = currentBackend().registerWrite(handle, deviceAddress, registerAddress, value);
    if (trace::on()) [[unlikely]]
        trace::registerWrite(deviceAddress, registerAddress, value, result);
    failure::settle(result >= 0, "no answer on the bus");
    return result;
}

int ptxClose(int handle)
{
    const int result = currentBackend().close(handle);
    if (trace::on()) [[unlikely]]
        trace::close(handle, result);
    failure::settle(result >= 0, "the adapter was not open");
    return result;
}

int ptxWaitForReturn(int seconds)
{
    if (seconds < 0)
        return -1;
    currentBackend().waitForReturn(std::chrono::seconds(seconds));
    return 0;
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

int ptxLastFailure(char* text, int size)
{
    return failure::take(text, size);
}

void ptxReportFailures(int enable)
{
    ptx::i2cdev::FailureReporter::printing(enable != 0);
}

void ptxTraceTo(int fd)
{
    trace::to(fd);
}
