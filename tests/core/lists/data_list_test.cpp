#include "lists/data_list.h"

#include <gtest/gtest.h>

namespace zvk {
namespace {

const std::string kHeader302 = "ADLIST01.dat       0ZVK_CE         V 3.02";

TEST(RecordCodeTest, IsTheFirstTwoBytesComparedExactly)
{
    EXPECT_EQ(RecordCode("2M 12345"), "2M");
    EXPECT_EQ(RecordCode("0e"), "0e");
    EXPECT_NE(RecordCode("0e"), RecordCode("0E"));
    EXPECT_EQ(RecordCode("2"), "");
    EXPECT_EQ(RecordCode(""), "");
    EXPECT_TRUE(IsHeaderValueRecord("0e"));
    EXPECT_TRUE(IsHeaderValueRecord("0E"));
    EXPECT_FALSE(IsHeaderValueRecord("0X"));
    EXPECT_FALSE(IsHeaderValueRecord("0m"));
    EXPECT_TRUE(IsItemRecord("2N"));
    EXPECT_FALSE(IsItemRecord("2m"));
    EXPECT_FALSE(IsItemRecord("2R"));
}

TEST(FormatVersionTest, ComesFromTheProgramIdentificationOrTheOldestMarker)
{
    EXPECT_EQ(FormatVersionOf(kHeader302), "3.02");
    EXPECT_EQ(FormatVersionOf("ADSTARY001.DAT     7Spracov 1998 anything"), "1.18");
    EXPECT_EQ(FormatVersionOf("ADX                 ZVK_CE         V 1.19"), "1.19");
    // A short header reads its missing columns as spaces.
    EXPECT_EQ(FormatVersionOf("ADX"), "    ");
    EXPECT_EQ(FormatVersionOf("ADX                 ZVK_CE         V 4."), "4.  ");
    // The wide-name form puts "V " where the version usually stands.
    EXPECT_EQ(FormatVersionOf("ADLONGNAME01.DAT     1ZVK_CE         V 4.10"), "V 4.");
}

TEST(FormatVersionTest, ComparesByteByByte)
{
    EXPECT_TRUE(VersionAbove("4.01", "4.00"));
    EXPECT_TRUE(VersionBelow("10.0", "4.00"));
    EXPECT_TRUE(VersionBelow("3.02", "4.00"));
    EXPECT_TRUE(VersionAbove("V 4.", "4.00"));
    EXPECT_TRUE(VersionBelow("", "1.19"));
    EXPECT_TRUE(VersionBelow("1.18", "1.19"));
    EXPECT_FALSE(VersionBelow("1.19", "1.19"));
    EXPECT_FALSE(VersionAbove("4.00", "4.00"));
    // Bytes above 127 sort above letters, as unsigned bytes do.
    EXPECT_TRUE(VersionAbove("\xE1.00", "V 4."));
}

TEST(NormalizeItemLineTest, ShiftsItemsOfListsBelow119)
{
    const std::string old = "2M 12345SMVy   I   3   4.00 28KO 0.25";
    const std::string fixed = NormalizeItemLine(old, "1.18");
    EXPECT_EQ(Field(fixed, 3, 6), " 12345");
    EXPECT_EQ(Field(fixed, 9, 2), "SM");
    EXPECT_EQ(Field(fixed, 23, 5), " 4.00");
    EXPECT_EQ(NormalizeItemLine(old, ""), fixed) << "lists before any header get the fix-up";
    EXPECT_EQ(NormalizeItemLine(old, "1.19"), old);
    EXPECT_EQ(NormalizeItemLine(old, "3.02"), old);
    EXPECT_EQ(NormalizeItemLine("2M", "1.18"), "2M  ");
}

TEST(FieldTest, ReadsPastTheEndAsSpaces)
{
    EXPECT_EQ(Field("2M 123", 3, 6), "123   ");
    EXPECT_EQ(Field("2M", 69, 3), "   ");
    EXPECT_EQ(Field("", 0, 2), "  ");
    EXPECT_EQ(Field("abc", 1, 0), "");
    const std::string withNul("0A01.\0"
                              "2.26",
                              10);
    EXPECT_EQ(Field(withNul, 2, 8), std::string("01.\0"
                                                "2.26",
                                                8));
}

TEST(ItemLayoutTest, LongWoodLineOf40CharactersHasNoNoteAndNoPieces)
{
    const std::string line = "2M  12345SMVy   I   3   4.50 32KO 0.36 0";
    ASSERT_EQ(line.size(), 40u);
    EXPECT_EQ(Field(line, 40, 21), std::string(21, ' '));
    EXPECT_EQ(ReadInteger(Field(line, 69, 3)), 0);
    EXPECT_DOUBLE_EQ(ReadDecimal(Field(line, 23, 5)), 4.5);
    EXPECT_EQ(ReadInteger(Field(line, 28, 3)), 32);
    EXPECT_DOUBLE_EQ(ReadDecimal(Field(line, 33, 5)), 0.36);
}

} // namespace
} // namespace zvk
