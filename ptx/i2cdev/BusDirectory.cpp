#include "ptx/i2cdev/BusDirectory.h"

#include <charconv>
#include <fstream>
#include <map>
#include <regex>
#include <system_error>

namespace ptx::i2cdev {

namespace {

std::string firstLine(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// Calls `visit(number, entry)` for each i2c-N entry of `directory`; a missing directory has none.
template <typename Visit> void forEachBus(const std::filesystem::path& directory, Visit visit)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        if (const auto number = busNumber(it->path().filename().string()))
            visit(*number, it->path());
    }
}

// A USB device directory sits right below its root hub "usbB" as "B-P", or behind hubs as "B-P.P...";
// the first other directory (an interface such as "B-P:1.0") ends that chain. The last device named
// is the bridge itself, and its name is the physical port.
std::filesystem::path usbDeviceOf(const std::filesystem::path& parent)
{
    static const std::regex rootHub("usb([0-9]+)");
    static const std::regex device("([0-9]+)-[0-9]+(\\.[0-9]+)*");
    std::string bus;
    std::filesystem::path walked;
    std::filesystem::path found;
    for (const auto& part : parent) {
        walked /= part;
        const std::string name = part.string();
        std::smatch match;
        if (bus.empty()) {
            if (std::regex_match(name, match, rootHub))
                bus = match[1];
            continue;
        }
        if (!std::regex_match(name, match, device) || match[1] != bus)
            break;
        found = walked;
    }
    return found;
}

// The adapter's `device` link leads to its parent device, when it has one.
void locate(BusEntry& bus, const std::filesystem::path& deviceLink)
{
    std::error_code error;
    const auto parent = std::filesystem::canonical(deviceLink, error);
    if (error)
        return;
    bus.parent = parent;
    bus.usbDevice = usbDeviceOf(parent);
    if (bus.usbDevice.empty())
        return;
    bus.usbPort = bus.usbDevice.filename().string();
    bus.serial = firstLine(bus.usbDevice / "serial");
}

} // namespace

std::optional<int> busNumber(std::string_view label)
{
    constexpr std::string_view prefix = "i2c-";
    if (!label.starts_with(prefix))
        return std::nullopt;
    const std::string_view digits = label.substr(prefix.size());
    if (digits.empty() || digits.front() < '0' || digits.front() > '9')
        return std::nullopt;
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return number;
}

std::vector<BusEntry> listBuses(const std::filesystem::path& sysRoot, const std::filesystem::path& devRoot)
{
    std::map<int, BusEntry> buses;
    // Every adapter is a device on the i2c bus, whichever driver made it and whether or not i2c-dev is loaded;
    // its clients there ("3-0050") are no buses.
    forEachBus(sysRoot / "bus/i2c/devices", [&](int number, const std::filesystem::path& adapter) {
        BusEntry& bus = buses[number];
        bus.number = number;
        bus.adapterName = firstLine(adapter / "name");
        locate(bus, adapter / "device");
    });
    forEachBus(devRoot, [&](int number, const std::filesystem::path&) {
        BusEntry& bus = buses[number];
        bus.number = number;
        bus.hasNode = true;
    });

    std::vector<BusEntry> result;
    for (auto& [number, bus] : buses)
        result.push_back(std::move(bus));
    return result;
}

bool sameBridge(const BusEntry& a, const BusEntry& b)
{
    // A HID bridge's parent path carries an instance number that changes at every plug, so the port decides.
    if (adapterKind(a.adapterName) != adapterKind(b.adapterName) || a.serial != b.serial || a.usbPort != b.usbPort
        || (a.usbPort.empty() && a.parent != b.parent))
        return false;
    return !a.parent.empty() || a.number == b.number;
}

std::string adapterKind(const std::string& adapterName)
{
    static const std::regex plugNumber("(hidraw|device )[0-9]+");
    return std::regex_replace(adapterName, plugNumber, "$1");
}

std::string describeBridge(const BusEntry& bus)
{
    std::string text = "adapter \"" + bus.adapterName + '"';
    if (!bus.usbPort.empty())
        text += " on USB port " + bus.usbPort;
    else if (!bus.parent.empty())
        text += " at " + bus.parent.string();
    return bus.serial.empty() ? text : text + " with serial number " + bus.serial;
}

std::optional<std::chrono::milliseconds> pluggedInFor(const BusEntry& bus)
{
    if (bus.usbDevice.empty())
        return std::nullopt;
    // The USB core's own count since the device was connected, unlike the sysfs files' times, which
    // are those of their first lookup.
    const std::string text = firstLine(bus.usbDevice / "power/connected_duration");
    long long milliseconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), milliseconds);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return std::chrono::milliseconds(milliseconds);
}

bool hasI2cDev(const std::filesystem::path& sysRoot)
{
    // The class exists while i2c-dev is loaded, whether or not any adapter is there.
    std::error_code ignored;
    return std::filesystem::exists(sysRoot / "class/i2c-dev", ignored);
}

std::string noSuchBus(bool i2cDevLoaded)
{
    return std::string("no such bus (") + (i2cDevLoaded ? "see --list-adapters" : loadI2cDevHint) + ")";
}

std::string busLabel(int number)
{
    return "i2c-" + std::to_string(number);
}

std::filesystem::path nodePath(const std::filesystem::path& devRoot, int number)
{
    return devRoot / busLabel(number);
}

} // namespace ptx::i2cdev
