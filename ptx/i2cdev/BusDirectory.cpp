#include "ptx/i2cdev/BusDirectory.h"

#include <charconv>
#include <fstream>
#include <map>
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
    const auto named = [&](int number, const std::filesystem::path& directory) {
        BusEntry& bus = buses[number];
        bus.number = number;
        if (bus.adapterName.empty())
            bus.adapterName = firstLine(directory / "name");
    };
    // i2c-dev's own class exists only while the module is loaded; i2c-adapter lists every adapter.
    forEachBus(sysRoot / "class/i2c-dev", named);
    forEachBus(sysRoot / "class/i2c-adapter", named);
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

std::string busLabel(int number)
{
    return "i2c-" + std::to_string(number);
}

std::filesystem::path nodePath(const std::filesystem::path& devRoot, int number)
{
    return devRoot / busLabel(number);
}

} // namespace ptx::i2cdev
