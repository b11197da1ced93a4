// A word from a file or the command line, as a message quotes it.
#pragma once

#include <string>
#include <string_view>

namespace kv3124 {

// 'word' in single quotes, cut to its first 40 bytes (never inside a UTF-8 character) and "..." when longer, so
// that a file of junk makes a readable message.
std::string quotedWord(std::string_view word);

} // namespace kv3124
