// Text from files, arguments and the system on its way to a terminal.
#pragma once

#include <string>
#include <string_view>

namespace ptx {

// `text` with every control byte (below 0x20, and 0x7F) as '?', so that an escape sequence in a name or a
// line read from a file cannot retitle, recolour or clear the user's terminal. UTF-8 passes unchanged.
std::string printable(std::string_view text);

} // namespace ptx
