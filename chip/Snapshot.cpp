#include "chip/Snapshot.h"

#include "chip/ChipDescription.h"
#include "chip/FieldValue.h"
#include "chip/Number.h"
#include "chip/QuotedWord.h"
#include "chip/SafeFile.h"

#include <map>
#include <sstream>

namespace kv3124 {

namespace {

constexpr std::string_view formatLine = "# KV3124 registers, format 2";
constexpr std::string_view endLine = "# end";
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

std::string_view trimmed(std::string_view line)
{
    const auto last = line.find_last_not_of(" \t\r");
    return last == std::string_view::npos ? std::string_view() : line.substr(0, last + 1);
}

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> found;
    constexpr std::string_view blanks = " \t\r";
    for (auto start = line.find_first_not_of(blanks); start != std::string_view::npos;
         start = line.find_first_not_of(blanks, start)) {
        const auto end = std::min(line.find_first_of(blanks, start), line.size());
        found.push_back(line.substr(start, end - start));
        start = end;
    }
    return found;
}

// The problem with one line, or nothing when it is good; `entry` is filled for a register line.
std::string checkLine(std::string_view line, std::optional<SnapshotEntry>& entry)
{
    const std::vector<std::string_view> parts = words(line.substr(0, line.find('#')));
    if (parts.empty())
        return {};
    if (parts.size() != 2)
        return "expected a register and a value, like 0x14 0x3F";
    for (std::string_view part : parts)
        if (!parseNumber(part))
            return quotedWord(part) + " is not a number";
    const unsigned reg = *parseNumber(parts[0]);
    const unsigned value = *parseNumber(parts[1]);
    if (!findRegister(reg))
        return "the chip has no register " + hex(reg);
    if (value > 0xFF)
        return "value " + hex(value) + " of register " + hex(reg) + " is above 0xFF";
    entry = SnapshotEntry { static_cast<std::uint8_t>(reg), static_cast<std::uint8_t>(value) };
    return {};
}

} // namespace

std::string registerComment(const Register& reg, const RegisterValues& values)
{
    std::string text = std::string(reg.name);
    if (reg.access == RegisterAccess::ReadOnly)
        text += " (read-only)";
    else if (reg.access == RegisterAccess::ShownOnly)
        text += text.empty() ? "shown only" : " (shown only)";
    const char* separator = ": ";
    for (const Field& field : fields()) {
        if (field.reg != reg.address)
            continue;
        if (const std::optional<unsigned> value = decodeField(field, values)) {
            text += separator + std::string(field.name) + '=' + fieldValueText(field, *value);
            separator = ", ";
        }
    }
    return text;
}

std::string registerLines(const RegisterValues& values)
{
    std::string text;
    for (const Register& reg : registers())
        if (const auto found = values.find(reg.address); found != values.end())
            text += hex(reg.address) + ' ' + hex(found->second) + "  # " + registerComment(reg, values) + '\n';
    return text;
}

std::string formatSnapshot(const SnapshotHeader& header, const RegisterValues& values)
{
    return std::string(formatLine) + "\n# date: " + header.date + "\n# adapter: " + header.adapter
        + "\n# firmware: " + header.firmware + "\n" + registerLines(values) + std::string(endLine) + '\n';
}

ParsedSnapshot parseSnapshot(std::string_view text, const std::string& name)
{
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());
    ParsedSnapshot parsed;
    std::map<std::uint8_t, int> lineOf;
    std::istringstream lines { std::string(text) };
    std::string line;
    bool saved = false; // the format line promises the end line
    bool ended = false;
    for (int number = 1; std::getline(lines, line); ++number) {
        saved |= number == 1 && trimmed(line) == formatLine;
        ended |= saved && trimmed(line) == endLine;
        std::optional<SnapshotEntry> entry;
        std::string problem = checkLine(line, entry);
        if (problem.empty() && entry && ended)
            problem = "a register after the end line";
        if (problem.empty() && entry && !lineOf.emplace(entry->reg, number).second)
            problem = "register " + hex(entry->reg) + " given twice (first on line "
                + std::to_string(lineOf[entry->reg]) + ")";
        if (!problem.empty())
            return { {}, name + ": line " + std::to_string(number) + ": " + problem, number };
        if (entry)
            parsed.entries.push_back(*entry);
    }
    if (saved && !ended)
        return { {}, name + " is cut short: it was saved with an end line, which is missing" };
    if (parsed.entries.empty())
        return { {}, "no registers in " + name };
    return parsed;
}

ParsedSnapshot readSnapshotFile(const std::string& path)
{
    const FileText file = readSmallFile(path, snapshotSizeLimit);
    if (!file.error.empty())
        return { {}, file.error };
    return parseSnapshot(file.bytes, path);
}

std::string writeSnapshotFile(const std::string& path, const SnapshotHeader& header, const RegisterValues& values)
{
    return writeWholeFile(path, formatSnapshot(header, values));
}

} // namespace kv3124
