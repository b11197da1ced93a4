#include "panel/HexText.h"

#include <gtest/gtest.h>

#include <climits>

// What the window tests do not type: blanks, "0x", a stop at a non-hex character, a sign, saturation.
TEST(HexText, FormatsTwoDigitsAtLeastAndParsesByTheCLibraryRules)
{
    EXPECT_EQ(formatHex(0xA), "0A");
    EXPECT_EQ(formatHex(0xFFF), "FFF");
    EXPECT_EQ(parseHexUnsigned("  0x1f"), 0x1Fu);
    EXPECT_EQ(parseHexUnsigned("12G4"), 0x12u);
    EXPECT_EQ(parseHexUnsigned("zz"), 0u);
    EXPECT_EQ(parseHexUnsigned("FFFFFFFFFFFFFFFFFFFFFFFF"), ULONG_MAX);
    EXPECT_EQ(parseHexSigned("FFFFFFFFFFFFFFFFFFFFFFFF"), LONG_MAX);
    EXPECT_EQ(parseHexSigned("-5"), -5);
    EXPECT_EQ(parseHexByte(" 2c"), 0x2C);
    EXPECT_EQ(parseHexByte(std::string(500, 'F')), 0xFF);
}
