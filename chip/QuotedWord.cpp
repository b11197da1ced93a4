#include "chip/QuotedWord.h"

namespace kv3124 {

std::string quotedWord(std::string_view word)
{
    constexpr std::size_t shown = 40;
    if (word.size() <= shown)
        return "'" + std::string(word) + "'";
    std::size_t cut = shown;
    while (cut > 0 && (static_cast<unsigned char>(word[cut]) & 0xC0) == 0x80)
        --cut;
    return "'" + std::string(word.substr(0, cut)) + "...'";
}

} // namespace kv3124
