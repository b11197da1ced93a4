#include "ptx/i2cdev/BusListing.h"

#include "ptx/i2cdev/BusDirectory.h"

namespace ptx::i2cdev {

std::string describeBuses(const std::filesystem::path& sysRoot, const std::filesystem::path& devRoot)
{
    const std::vector<BusEntry> buses = listBuses(sysRoot, devRoot);
    if (buses.empty())
        return "no I2C buses found (is a USB-to-I2C bridge plugged in?)\n";
    std::string text;
    for (const BusEntry& bus : buses) {
        text += busLabel(bus.number) + '\t' + (bus.adapterName.empty() ? "(adapter name unknown)" : bus.adapterName);
        if (!bus.hasNode)
            text += "\t(no " + nodePath(devRoot, bus.number).string()
                + ": load the i2c-dev module: sudo modprobe i2c-dev)";
        text += '\n';
    }
    return text;
}

} // namespace ptx::i2cdev
