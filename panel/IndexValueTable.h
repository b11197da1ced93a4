// Turns a list's selected index into the field value it encodes.
#pragma once

#include <array>
#include <optional>

constexpr std::array<int, 16> IndexValueTable = { 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15 };

// The table's value for `index`, or nothing when the list has no valid selection.
constexpr std::optional<int> indexValue(int index)
{
    if (index < 0 || index >= static_cast<int>(IndexValueTable.size()))
        return std::nullopt;
    return IndexValueTable[static_cast<std::size_t>(index)];
}
