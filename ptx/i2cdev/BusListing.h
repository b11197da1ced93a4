// The i2c buses for --list-adapters, from sysfs alone: no bus is opened.
#pragma once

#include <filesystem>
#include <string>

namespace ptx::i2cdev {

// One line per bus, "i2c-N<TAB>adapter name", then a USB bridge's port, a note when the /dev node is
// missing and the bridge's serial number; a single explaining line when there are no buses at all.
std::string describeBuses(const std::filesystem::path& sysRoot = "/sys", const std::filesystem::path& devRoot = "/dev");

} // namespace ptx::i2cdev
