// A line of a `run` script as the words of one command.
#pragma once

#include <QStringList>

// Words are separated by blanks; "double quotes" keep blanks inside one word; '#' at the start of a word begins a
// comment. Throws CommandFailure for an unclosed quote.
QStringList scriptWords(const QString& line);
