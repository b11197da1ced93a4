#include "cli/AdapterSession.h"

#include "cli/CommandFailure.h"

#include "adapter/AdapterConnection.h"
#include "adapter/AdapterTexts.h"
#include "ptx/i2cdev/BusSelector.h"
#include "ptx/ptx.h"

namespace {

// Why adapterInit failed with `code` on the adapter the user named; nothing when an I2C bus's back end has
// said why on standard error already, since its reason is the one to give.
std::string startFailure(int code, const std::string& adapter)
{
    switch (code) {
    case 2:
        if (ptx::i2cdev::BusSelector::parse(adapter))
            return {};
        return adapter == "none" ? "no adapter (--adapter=none)" : "the adapter's firmware version cannot be read";
    case 3:
        return "the adapter's I2C configuration failed";
    case 4:
        return "the adapter's GPIO configuration failed";
    default:
        return "the adapter's power configuration failed";
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
    if (const int code = adapterInit(rfwByte); code != 0) {
        const std::string why = startFailure(code, adapter);
        throw CommandFailure { exitBoardFailure, why.empty() ? why : "USB Initialization Error: " + why };
    }
    unsigned char ffwByte = 0;
    firmwareVersionByte(ffwByte);
    return versionLine(rfwByte, ffwByte);
}
