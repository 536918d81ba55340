#include "lists/format_version_reader.h"

#include <gtest/gtest.h>

#include "lists/record_layout.h"

namespace zvk {
namespace {

const std::string kOldItem = "2M 12345SMVy   I   3   4.00 28KO 0.25";
const std::string kFixedItem = "2M  12345SMVy   I   3   4.00 28KO 0.25";

TEST(FormatVersionReaderTest, FixesUpTheItemsOfListsBelow119)
{
    FormatVersionReader versions;
    EXPECT_EQ(versions.Item(kOldItem), kFixedItem) << "lists before any header get the fix-up";
    EXPECT_TRUE(versions.ReadHeader("ADSTARY001.DAT     7Spracov 1998"));
    EXPECT_EQ(versions.VersionInForce(), "1.18");
    const std::string_view fixed = versions.Item(kOldItem);
    EXPECT_EQ(Field(fixed, kItem.itemNumber), " 12345");
    EXPECT_EQ(Field(fixed, kItem.species), "SM");
    EXPECT_EQ(Field(fixed, kLongWood.length), " 4.00");
    EXPECT_EQ(versions.Item("2M"), "2M  ") << "a short item is padded to the item number";

    const std::string header = "ADLIST01.dat       0ZVK_CE         V ";
    EXPECT_TRUE(versions.ReadHeader(header + "1.19"));
    EXPECT_EQ(versions.Item(kOldItem), kOldItem);
    EXPECT_TRUE(versions.ReadHeader(header + "1.18"));
    EXPECT_EQ(versions.Item(kOldItem), kFixedItem);
    EXPECT_TRUE(versions.ReadHeader(header + "3.02"));
    EXPECT_EQ(versions.Item(kOldItem), kOldItem);
}

TEST(FormatVersionReaderTest, OnlyAHeaderChangesTheVersionInForce)
{
    FormatVersionReader versions;
    ASSERT_TRUE(versions.ReadHeader("ADLIST01.dat       0ZVK_CE         V 3.02"));
    // Neither other records nor a lower-case code start a list: the next list
    // without a header keeps 3.02.
    for (std::string_view line : {"0A05.11.26LS Brezno", "adLIST02.dat       0Spracov", "A", "",
                                  "2M 12345SMVy   I   3   4.00 28KO 0.25"})
        EXPECT_FALSE(versions.ReadHeader(line)) << line;
    EXPECT_EQ(versions.VersionInForce(), "3.02");
    EXPECT_EQ(versions.Item(kOldItem), kOldItem);
}

} // namespace
} // namespace zvk
