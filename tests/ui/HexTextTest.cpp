#include "panel/HexText.h"
#include "panel/IndexValueTable.h"

#include <gtest/gtest.h>

#include <climits>

TEST(HexText, FormatsAtLeastTwoUpperCaseDigits)
{
    EXPECT_EQ(formatHex(0), "00");
    EXPECT_EQ(formatHex(0xA), "0A");
    EXPECT_EQ(formatHex(0xC4), "C4");
    EXPECT_EQ(formatHex(0xFFF), "FFF");
}

TEST(HexText, ParsesByTheCLibraryRulesAndNeverOverflows)
{
    EXPECT_EQ(parseHexUnsigned(""), 0u);
    EXPECT_EQ(parseHexUnsigned("  0x1f"), 0x1Fu);
    EXPECT_EQ(parseHexUnsigned("ab"), 0xABu);
    EXPECT_EQ(parseHexUnsigned("12G4"), 0x12u);
    EXPECT_EQ(parseHexUnsigned("zz"), 0u);
    EXPECT_EQ(parseHexUnsigned("FFFFFFFFFFFFFFFFFFFFFFFF"), ULONG_MAX);
    EXPECT_EQ(parseHexSigned("FFFFFFFFFFFFFFFFFFFFFFFF"), LONG_MAX);
    EXPECT_EQ(parseHexSigned("-5"), -5);

    EXPECT_EQ(parseHexByte("114"), 0x14);
    EXPECT_EQ(parseHexByte("1FF"), 0xFF);
    EXPECT_EQ(parseHexByte(" 2c"), 0x2C);
    EXPECT_EQ(parseHexByte(std::string(500, 'F')), 0xFF);
}

TEST(IndexValueTable, HoldsEachIndexAndRejectsNoSelection)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(indexValue(i), i);
    EXPECT_FALSE(indexValue(-1).has_value());
    EXPECT_FALSE(indexValue(16).has_value());
}
