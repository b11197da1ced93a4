// Any bytes through the hex text rules, against a reference read straight from the rules: C string
// up to the first NUL, leading blanks, optional sign and "0x", hex digits up to the first other
// character, nothing gives 0; strtoul saturates at ULONG_MAX and negates, strtol saturates at its
// ends. Formatting is upper case with at least two digits.
#include "Check.h"

#include "panel/HexText.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view digits = "0123456789ABCDEF";

int digitValue(char c)
{
    const std::size_t at = digits.find(c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

struct HexNumber {
    bool negative = false;
    bool tooBig = false; // more than ULONG_MAX
    unsigned long magnitude = 0;
};

HexNumber readHex(const std::string& text)
{
    const std::size_t end = std::min(text.find('\0'), text.size());
    std::size_t i = 0;
    while (i < end && std::string_view(" \t\n\v\f\r").find(text[i]) != std::string_view::npos)
        ++i;
    HexNumber number;
    if (i < end && (text[i] == '+' || text[i] == '-'))
        number.negative = text[i++] == '-';
    if (i + 2 < end && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') && digitValue(text[i + 2]) >= 0)
        i += 2;
    for (; i < end && digitValue(text[i]) >= 0; ++i) {
        const auto digit = static_cast<unsigned long>(digitValue(text[i]));
        if (number.magnitude > (ULONG_MAX - digit) / 16)
            number.tooBig = true;
        else if (!number.tooBig)
            number.magnitude = number.magnitude * 16 + digit;
    }
    return number;
}

unsigned long expectedUnsigned(const HexNumber& n)
{
    return n.tooBig ? ULONG_MAX : n.negative ? 0UL - n.magnitude : n.magnitude;
}

long expectedSigned(const HexNumber& n)
{
    constexpr unsigned long lowest = static_cast<unsigned long>(LONG_MAX) + 1; // the size of LONG_MIN
    if (!n.negative)
        return n.tooBig || n.magnitude > LONG_MAX ? LONG_MAX : static_cast<long>(n.magnitude);
    return n.tooBig || n.magnitude >= lowest ? LONG_MIN : -static_cast<long>(n.magnitude);
}

std::string expectedText(unsigned long value)
{
    std::string text;
    for (; value != 0; value /= 16)
        text.insert(text.begin(), digits[value % 16]);
    return std::string(text.size() < 2 ? 2 - text.size() : 0, '0') + text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const HexNumber number = readHex(text);
    check(parseHexUnsigned(text) == expectedUnsigned(number));
    check(parseHexSigned(text) == expectedSigned(number));
    check(parseHexByte(text) == (expectedUnsigned(number) & 0xFF));

    unsigned long value = 0;
    std::memcpy(&value, data, std::min(size, sizeof value));
    const std::string shown = formatHex(value);
    check(shown == expectedText(value));
    check(parseHexUnsigned(shown) == value);
    return 0;
}
