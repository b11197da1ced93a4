#include "ptx/i2cdev/BusListing.h"

#include "ptx/TerminalText.h"
#include "ptx/i2cdev/BusDirectory.h"

namespace ptx::i2cdev {

std::string describeBuses(const std::filesystem::path& sysRoot, const std::filesystem::path& devRoot)
{
    const std::vector<BusEntry> buses = listBuses(sysRoot, devRoot);
    if (buses.empty())
        return "no I2C buses found (is a USB-to-I2C bridge plugged in?)\n";
    const bool i2cDevLoaded = hasI2cDev(sysRoot);
    std::string text;
    for (const BusEntry& bus : buses) {
        // The names come from the device and its driver; the tabs and line ends are the listing's own.
        text += busLabel(bus.number) + '\t'
            + (bus.adapterName.empty() ? "(adapter name unknown)" : printable(bus.adapterName));
        // Identical bridges are told apart by the port they are plugged into.
        if (!bus.usbPort.empty())
            text += "\tUSB port " + printable(bus.usbPort);
        if (!bus.hasNode)
            text += "\t(no " + nodePath(devRoot, bus.number).string()
                + (i2cDevLoaded ? std::string(")") : std::string(": ") + loadI2cDevHint + ")");
        // Last, so that readers of the earlier columns see no change.
        if (!bus.serial.empty())
            text += "\tserial " + printable(bus.serial);
        text += '\n';
    }
    return text;
}

} // namespace ptx::i2cdev
