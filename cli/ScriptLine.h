// A line of a `run` script as the words of one command.
#pragma once

#include <QStringList>

#include <iosfwd>
#include <optional>
#include <string>

// Words are separated by blanks; "double quotes" keep blanks inside one word; '#' at the start of a word begins a
// comment. Throws CommandFailure for an unclosed quote.
QStringList scriptWords(const QString& line);

// Scripts may be long; their lines may not.
constexpr std::size_t scriptLineLimit = 4096;
// The next line of `in` without its line end, or nothing at the end of the input; a UTF-8 byte-order mark is
// skipped on the `first` line. Throws CommandFailure for a line longer than scriptLineLimit bytes.
std::optional<std::string> readScriptLine(std::istream& in, bool first);
