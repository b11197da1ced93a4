#include "cli/AdapterSession.h"

#include "cli/CommandFailure.h"

#include "adapter/AdapterConnection.h"
#include "adapter/AdapterTexts.h"
#include "ptx/i2cdev/BusSelector.h"
#include "ptx/ptx.h"

namespace {

// adapterInit's codes, for the adapter the user named.
std::string startFailure(int code, const std::string& adapter)
{
    switch (code) {
    case 2:
        // An I2C bus's back end has said why on standard error already, and its reason is the one to give.
        if (ptx::i2cdev::BusSelector::parse(adapter))
            return {};
        if (adapter == "none")
            return "USB Initialization Error: no adapter (--adapter=none)";
        return "USB Initialization Error: the adapter's firmware version cannot be read";
    case 3:
        return "USB Initialization Error: the adapter's I2C configuration failed";
    case 4:
        return "USB Initialization Error: the adapter's GPIO configuration failed";
    default:
        return "USB Initialization Error: the adapter's power configuration failed";
    }
}

} // namespace

bool selectAdapter(const std::string& name, int waitSeconds)
{
    return !name.empty() && ptxSelectBackend(name.c_str()) >= 0 && ptxWaitForReturn(waitSeconds) >= 0;
}

std::string startAdapter(const std::string& adapter)
{
    unsigned char rfwByte = 0;
    if (const int code = adapterInit(rfwByte); code != 0)
        throw CommandFailure { exitBoardFailure, startFailure(code, adapter) };
    unsigned char ffwByte = 0;
    firmwareVersionByte(ffwByte);
    return versionLine(rfwByte, ffwByte);
}
