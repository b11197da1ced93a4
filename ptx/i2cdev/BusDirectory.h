// The i2c buses the kernel knows of, read from sysfs and /dev without opening any of them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ptx::i2cdev {

struct BusEntry {
    int number = -1;
    std::string adapterName; // empty when sysfs does not say
    bool hasNode = false; // /dev/i2c-N exists (i2c-dev is loaded)
};

// Every bus that has an adapter in sysfs or a node in /dev, in order of bus number.
std::vector<BusEntry> listBuses(const std::filesystem::path& sysRoot, const std::filesystem::path& devRoot);

// 7 for "i2c-7"; nothing for any other text.
std::optional<int> busNumber(std::string_view label);
std::string busLabel(int number);
std::filesystem::path nodePath(const std::filesystem::path& devRoot, int number);

} // namespace ptx::i2cdev
