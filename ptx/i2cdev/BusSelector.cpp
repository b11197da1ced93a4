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
    constexpr std::string_view namePrefix = "i2c:";
    if (text.starts_with(namePrefix) && text.size() > namePrefix.size())
        return BusSelector(std::string(text), Match::Name, std::string(text.substr(namePrefix.size())), -1);
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
            names += (names.empty() ? "" : ", ") + busLabel(bus.number) + " \"" + bus.adapterName + "\"";
        return { std::nullopt, "several buses match (" + names + "); name one with --adapter=i2c-N" };
    }
    if (found.empty() || !found.front().hasNode)
        return { std::nullopt, noSuchBus(i2cDevLoaded) };
    return { found.front(), {} };
}

} // namespace ptx::i2cdev
