// Register bytes as text: shown as "%.2X", read back by the C library's hexadecimal rules
// (leading blanks, optional sign and "0x", stop at the first non-hex character, empty gives 0).
#pragma once

#include <string>

std::string formatHex(unsigned long value);
// strtoul's value: saturates at ULONG_MAX, a leading '-' negates.
unsigned long parseHexUnsigned(const std::string& text);
// strtol's value: saturates at LONG_MIN / LONG_MAX.
long parseHexSigned(const std::string& text);
// The low 8 bits of parseHexUnsigned, where a register byte is needed.
unsigned char parseHexByte(const std::string& text);
