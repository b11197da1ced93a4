#include "AdapterTexts.h"

#include "ptx/i2cdev/BusListing.h"

#include <cstdio>

std::string adapterListing()
{
    std::string buses = ptx::i2cdev::describeBuses();
    if (!buses.empty() && buses.back() != '\n')
        buses += '\n';
    return "sim\tsimulated evaluation board (default)\nnone\tno adapter\n" + buses;
}

std::string unknownAdapterMessage(const std::string& name)
{
    return "unknown adapter '" + name + "' (choose sim, none, i2c-N, i2c:NAME or serial:SERIAL)";
}

std::string versionLine(unsigned char rfwByte, unsigned char ffwByte)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "Version: USB RFW:%d.%d; FFW:%d.%d", rfwByte >> 4, rfwByte & 15, ffwByte >> 4,
        ffwByte & 15);
    return buffer;
}
