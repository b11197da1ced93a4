#include "cli/AdapterSession.h"

#include "cli/CommandFailure.h"

#include "adapter/AdapterConnection.h"
#include "adapter/AdapterTexts.h"
#include "ptx/ptx.h"

namespace {

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

bool selectAdapter(const std::string& name)
{
    return !name.empty() && ptxSelectBackend(name.c_str()) >= 0;
}

std::string startAdapter()
{
    unsigned char rfwByte = 0;
    if (const int code = adapterInit(rfwByte); code != 0)
        throw CommandFailure { exitBoardFailure, std::string("USB Initialization Error: ") + startFailure(code) };
    unsigned char ffwByte = 0;
    firmwareVersionByte(ffwByte);
    return versionLine(rfwByte, ffwByte);
}
