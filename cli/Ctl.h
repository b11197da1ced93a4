// The whole tool: options, adapter, one command; the streams are handed in so that it runs in-process.
#pragma once

#include "cli/Clock.h"

#include <QStringList>

#include <iosfwd>

// `arguments` starts with the program name. Returns the exit status: 0 done, 1 the board or bus failed, 2 usage,
// 3 a condition met.
int runCtl(const QStringList& arguments, std::istream& in, std::ostream& out, std::ostream& err, const Clock& clock);
