#include "HexText.h"

#include <cstdio>
#include <cstdlib>

std::string formatHex(unsigned long value)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%.2lX", value);
    return buffer;
}

unsigned long parseHexUnsigned(const std::string& text)
{
    return std::strtoul(text.c_str(), nullptr, 16);
}

long parseHexSigned(const std::string& text)
{
    return std::strtol(text.c_str(), nullptr, 16);
}

unsigned char parseHexByte(const std::string& text)
{
    return static_cast<unsigned char>(parseHexUnsigned(text) & 0xFF);
}
