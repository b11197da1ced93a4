// The i2c buses the kernel knows of, read from sysfs and /dev without opening any of them.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ptx::i2cdev {

struct BusEntry {
    int number = -1;
    std::string adapterName; // empty when sysfs does not say
    // The adapter's parent device, resolved; empty for an adapter without a parent, such as i2c-stub's.
    std::filesystem::path parent;
    // For a USB bridge: its USB device in that path, whose name is the port ("1-2", "1-2.3"), and the
    // device's serial number, empty when it has none. All empty for any other adapter.
    std::filesystem::path usbDevice;
    std::string usbPort;
    std::string serial;
    bool hasNode = false; // /dev/i2c-N exists
};

// Every bus that has an adapter in sysfs or a node in /dev, in order of bus number.
std::vector<BusEntry> listBuses(const std::filesystem::path& sysRoot, const std::filesystem::path& devRoot);

// Whether two entries are one bridge, whatever their bus numbers: the same kind of adapter with the same
// serial number on the same USB port, else under the same parent device; an adapter without a parent only
// on the same bus.
bool sameBridge(const BusEntry& a, const BusEntry& b);
// The adapter name without the hidraw or device number that a HID or USB driver puts in it, which changes
// at every plug: "CP2112 SMBus Bridge on hidraw", "i2c-tiny-usb at bus 001 device ".
std::string adapterKind(const std::string& adapterName);
// `adapter "NAME"`, where it is plugged in and its serial number.
std::string describeBridge(const BusEntry& bus);
// How long ago the USB bridge was plugged in, as its USB device says; nothing for other adapters.
std::optional<std::chrono::milliseconds> pluggedInFor(const BusEntry& bus);

// The kernel has i2c-dev (loaded or built in), so every adapter has its /dev node.
bool hasI2cDev(const std::filesystem::path& sysRoot);
// Why a bus cannot be had, and what to do about it.
std::string noSuchBus(bool i2cDevLoaded);
inline constexpr const char* loadI2cDevHint = "load the i2c-dev module: sudo modprobe i2c-dev";

// 7 for "i2c-7"; nothing for any other text.
std::optional<int> busNumber(std::string_view label);
std::string busLabel(int number);
std::filesystem::path nodePath(const std::filesystem::path& devRoot, int number);

} // namespace ptx::i2cdev
