// Register snapshot files: one register a line, "0x14 0x3F  # comment", '#' starting a comment. A saved file starts
// with the format line and ends with "# end", so a file cut short is known; a file without the format line (saved by
// an earlier version, or written by hand) may hold any registers and needs no end.
#pragma once

#include "chip/ChipDescription.h"
#include "chip/RegisterBus.h"

#include <cstddef>
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
    std::string error; // names the file, and the line for a bad line; the entries are then empty
    int line = 0; // the bad line's number; 0 when the problem is not one line's
};

// Snapshots are about a kilobyte; anything far larger is not one.
constexpr std::size_t snapshotSizeLimit = 1024 * 1024;

// The register's name, its access where it is not written, and its fields decoded from `values`:
// "current: current-scale="100 = 18mA", iset-external=off".
std::string registerComment(const Register& reg, const RegisterValues& values);
// One line per register in `values`, in Readback All order, its decoded fields as the comment.
std::string registerLines(const RegisterValues& values);
// The format line and the header as comments, then registerLines, then the end line.
std::string formatSnapshot(const SnapshotHeader& header, const RegisterValues& values);
// Checks the whole text of the file `name` before giving anything back: a line that does not parse, a register the
// chip does not have, a value above 0xFF, a register given twice, no register at all, or a saved file without its
// end is an error. A UTF-8 byte-order mark at the start is skipped.
ParsedSnapshot parseSnapshot(std::string_view text, const std::string& name);
// parseSnapshot on a regular file of at most snapshotSizeLimit bytes.
ParsedSnapshot readSnapshotFile(const std::string& path);
// formatSnapshot written with writeWholeFile; returns why it failed, or an empty text.
std::string writeSnapshotFile(const std::string& path, const SnapshotHeader& header, const RegisterValues& values);

} // namespace kv3124
