#include "cli/AdapterSession.h"

#include "cli/CommandFailure.h"

#include "adapter/AdapterConnection.h"
#include "ptx/i2cdev/BusListing.h"
#include "ptx/ptx.h"

#include <cstdio>

namespace {

std::string formatVersion(const char* format, unsigned char versionByte)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, versionByte >> 4, versionByte & 15);
    return buffer;
}

// adapterInit's codes.
const char* startFailure(int code)
{
    switch (code) {
    case 2:
        return "the adapter's firmware version cannot be read (no adapter?)";
    case 3:
        return "the adapter's I2C configuration failed";
    case 4:
        return "the adapter's GPIO configuration failed";
    default:
        return "the adapter's power configuration failed";
    }
}

} // namespace

std::string adapterListing()
{
    return "sim\tsimulated evaluation board (default)\nnone\tno adapter\n" + ptx::i2cdev::describeBuses();
}

bool selectAdapter(const std::string& name)
{
    return !name.empty() && ptxSelectBackend(name.c_str()) >= 0;
}

std::string unknownAdapterMessage(const std::string& name)
{
    return "unknown adapter '" + name + "' (choose sim, none, i2c-N or i2c:NAME)";
}

std::string startAdapter()
{
    unsigned char rfwByte = 0;
    if (const int code = adapterInit(rfwByte); code != 0)
        throw CommandFailure { exitBoardFailure, std::string("USB Initialization Error: ") + startFailure(code) };
    unsigned char ffwByte = 0;
    firmwareVersionByte(ffwByte);
    return "Version: " + formatVersion("USB RFW:%d.%d", rfwByte) + formatVersion("; FFW:%d.%d", ffwByte);
}
