// Register snapshot files: one register a line, "0x14 0x3F  # comment", '#' starting a comment.
#pragma once

#include "chip/RegisterBus.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv3124 {

struct SnapshotHeader {
    std::string date;
    std::string adapter;
    std::string firmware; // the window's version line
};

struct SnapshotEntry {
    std::uint8_t reg;
    std::uint8_t value;
};

struct ParsedSnapshot {
    std::vector<SnapshotEntry> entries; // in file order
    std::string error; // "line N: problem" for the first bad line; the entries are then empty
};

// One line per register in `values`, in Readback All order, its decoded fields as the comment.
std::string registerLines(const RegisterValues& values);
// The header as comments, then registerLines.
std::string formatSnapshot(const SnapshotHeader& header, const RegisterValues& values);
// Checks the whole text before giving anything back: a line that does not parse, a register the chip does not
// have, a value above 0xFF or a register given twice is an error.
ParsedSnapshot parseSnapshot(std::string_view text);

} // namespace kv3124
