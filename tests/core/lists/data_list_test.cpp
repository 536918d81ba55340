#include "lists/data_list.h"

#include <gtest/gtest.h>

#include "lists/record_layout.h"

namespace zvk {
namespace {

const std::string kHeader302 = "ADLIST01.dat       0ZVK_CE         V 3.02";

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

} // namespace
} // namespace zvk
