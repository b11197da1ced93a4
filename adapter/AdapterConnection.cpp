#include "adapter/AdapterConnection.h"
#include "adapter/AdapterConnectionTesting.h"
#include "adapter/WriteRecord.h"

#include "ptx/ptx.h"

#include <array>
#include <cstdlib>

namespace {

constexpr int kFirmwareBufferSize = 8;
constexpr int kFirmwareRecordLength = 5;

// Kept until adapterRelease.
int adapterHandle = 0;
std::array<char, PTX_SERIAL_NUMBER_SIZE> serialNumber {};
std::array<unsigned char, 2> firmwareBytes {};

unsigned char packNibbles(unsigned char major, unsigned char minor)
{
    return static_cast<unsigned char>(major * 16 + minor);
}

} // namespace

unsigned deviceAddress()
{
    return static_cast<unsigned>(std::strtoul(DEVICE_ADDRESS, nullptr, 16));
}

int adapterInit(unsigned char& rfwByte)
{
    if (ptxFindControllers() != 0 && ptxGetSerialNumber(0, serialNumber.data()) >= 0)
        adapterHandle = ptxOpen(serialNumber.data());

    std::array<unsigned char, kFirmwareBufferSize> version {};
    if (ptxFirmwareVersion_Read(adapterHandle, version.data(), kFirmwareRecordLength) < 0)
        return 2;
    firmwareBytes = { version[2], version[3] };
    rfwByte = packNibbles(version[0], version[1]);

    int code = 0;
    if (ptxI2C_Control(adapterHandle, 0, 0, 1) < 0)
        code = 3;
    if (ptxGPIO_WriteControl(adapterHandle, 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0) < 0)
        code = 4;
    if (ptxPower_WriteControl(adapterHandle, 1, 0) < 0)
        return 5;
    return code;
}

bool firmwareVersionByte(unsigned char& ffwByte)
{
    ffwByte = packNibbles(firmwareBytes[0], firmwareBytes[1]);
    return true;
}

int readRegister(unsigned device, unsigned char registerAddress, unsigned char& value)
{
    const int result = ptxI2C_RegisterRead(adapterHandle, static_cast<int>(device & 0xFF), registerAddress);
    if (result < 0)
        return 1;
    value = static_cast<unsigned char>(result & 0xFF);
    return 0;
}

bool writeRegister(unsigned device, unsigned char registerAddress, unsigned char value)
{
    const bool taken
        = ptxI2C_RegisterWrite(adapterHandle, static_cast<int>(device & 0xFF), registerAddress, value) >= 0;
    recordWrite(registerAddress, value, taken);
    return taken;
}

std::string lastFailure()
{
    std::array<char, 512> text {};
    return ptxLastFailure(text.data(), static_cast<int>(text.size())) > 0 ? text.data() : "";
}

void adapterRelease()
{
    ptxClose(adapterHandle);
    adapterHandle = 0;
}

void adapterResetForTests()
{
    adapterHandle = 0;
    serialNumber = {};
    firmwareBytes = {};
}
