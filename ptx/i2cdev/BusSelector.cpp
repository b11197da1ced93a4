#include "ptx/i2cdev/BusSelector.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace ptx::i2cdev {

namespace {

bool containsIgnoringCase(std::string_view text, std::string_view part)
{
    // ASCII only, so the match does not depend on the locale.
    const auto same = [](unsigned char a, unsigned char b) {
        const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
        return lower(a) == lower(b);
    };
    return !part.empty() && std::search(text.begin(), text.end(), part.begin(), part.end(), same) != text.end();
}

} // namespace

BusSelector::BusSelector(std::string text, Match match, std::string name, int number)
    : text_(std::move(text))
    , match_(match)
    , name_(std::move(name))
    , number_(number)
{
}

std::optional<BusSelector> BusSelector::parse(std::string_view text)
{
    if (const auto number = busNumber(text))
        return BusSelector(std::string(text), Match::Number, {}, *number);
    for (const auto& [prefix, match] : { std::pair { std::string_view("i2c:"), Match::Name },
             std::pair { std::string_view("serial:"), Match::Serial } })
        if (text.starts_with(prefix) && text.size() > prefix.size())
            return BusSelector(std::string(text), match, std::string(text.substr(prefix.size())), -1);
    return std::nullopt;
}

std::vector<BusEntry> BusSelector::matching(const std::vector<BusEntry>& buses) const
{
    std::vector<BusEntry> found;
    const auto pick = [&](auto predicate) { std::ranges::copy_if(buses, std::back_inserter(found), predicate); };
    if (match_ == Match::Number) {
        pick([&](const BusEntry& bus) { return bus.number == number_; });
        return found;
    }
    if (match_ == Match::Serial) {
        pick([&](const BusEntry& bus) { return bus.serial == name_; });
        return found;
    }
    pick([&](const BusEntry& bus) { return bus.adapterName == name_; });
    if (found.empty())
        pick([&](const BusEntry& bus) { return containsIgnoringCase(bus.adapterName, name_); });
    return found;
}

BusChoice BusSelector::choose(const std::vector<BusEntry>& buses, bool i2cDevLoaded) const
{
    const std::vector<BusEntry> found = matching(buses);
    if (found.size() > 1) {
        std::string names;
        for (const BusEntry& bus : found)
            names += (names.empty() ? "" : ", ") + busLabel(bus.number) + " \"" + bus.adapterName + "\""
                + (bus.usbPort.empty() ? "" : " on USB port " + bus.usbPort);
        // Stock bridges may share a default serial number, which then names none of them.
        if (match_ == Match::Serial)
            return { std::nullopt,
                "several bridges carry this serial number (" + names + "); name the bus with --adapter=i2c-N" };
        return { std::nullopt,
            "several buses match (" + names
                + "); name one by its bridge's serial number with --adapter=serial:SERIAL, or with --adapter=i2c-N "
                  "(see --list-adapters)" };
    }
    if (found.empty() || !found.front().hasNode)
        return { std::nullopt, noSuchBus(i2cDevLoaded) };
    return { found.front(), {} };
}

} // namespace ptx::i2cdev
