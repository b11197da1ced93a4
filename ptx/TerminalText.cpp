#include "ptx/TerminalText.h"

#include <algorithm>

namespace ptx {

std::string printable(std::string_view text)
{
    std::string shown(text);
    std::replace_if(
        shown.begin(), shown.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }, '?');
    return shown;
}

} // namespace ptx
