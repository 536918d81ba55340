#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "reports/summary_lists.h"

namespace zvk {
namespace {

SummaryItem Item(std::string_view species, std::string_view assortment, std::string_view quality,
                 std::string_view sizeClass, std::int32_t count, double volume)
{
    return {species, assortment, quality, sizeClass, count, volume, 0.0};
}

std::vector<std::string> Keys(const SummaryList& list)
{
    std::vector<std::string> keys;
    for (const CSort& record : list)
        SummaryKeyInto(list.Kind(),
                       Item(record.species, record.assortment, record.quality, record.sizeClass,
                            record.count, record.volume),
                       keys.emplace_back());
    return keys;
}

TEST(SummaryListTest, KeepsOneRecordPerKeyInAscendingOrder)
{
    SummaryList list(SummaryKind::LongWood);
    list.InsertSummary(Item("SM", "Vy", "I  ", " 3", 1, 0.25));
    list.InsertSummary(Item("SM", "Vy", "I  ", " 3", 2, 0.50));
    list.InsertSummary(Item("BK", "Vy", "I  ", " 3", 1, 0.10)); // new head
    list.InsertSummary(Item("SM", "Vy", "I  ", " 4", 1, 0.40)); // diameter class alone: new group
    list.InsertSummary(Item("\x8EI", "Vy", "I  ", " 2", 1, 0.30)); // a letter above ASCII: last
    list.InsertSummary(Item("SM", "Vl", "I  ", " 3", 1, 0.20));    // between
    EXPECT_EQ(Keys(list), (std::vector<std::string>{"BKVyI   3", "SMVlI   3", "SMVyI   3",
                                                    "SMVyI   4", "\x8EIVyI   2"}));
    const CSort& joined = *std::next(list.begin(), 2);
    EXPECT_EQ(joined.count, 3);
    EXPECT_DOUBLE_EQ(joined.volume, 0.75);
}

// A group of an archive's seasons counts its pieces past what 32 bits hold.
TEST(SummaryListTest, GroupCountsPastThirtyTwoBits)
{
    SummaryList list(SummaryKind::LongWood);
    for (int i = 0; i < 3; ++i)
        list.InsertSummary(Item("SM", "Vy", "I  ", " 3", 2'000'000'000, 1.0));
    EXPECT_EQ(list.begin()->count, 6'000'000'000);
}

TEST(SummaryListTest, SawnQualityCodesSortRightAligned)
{
    SummaryList list(SummaryKind::SawnTimber);
    for (const char* quality : {"IV", "B", "1", "III"})
        list.InsertSummary(Item("SM", "Re", quality, " 25", 1, 0.1));
    EXPECT_EQ(Keys(list),
              (std::vector<std::string>{"SMRe  1 25", "SMRe  B 25", "SMRe IV 25", "SMReIII 25"}));
}

TEST(SummaryListTest, StackedWoodIgnoresTheSizeClassAndSumsBothVolumes)
{
    SummaryList list(SummaryKind::StackedWood);
    SummaryItem first = Item("BK", "Pr", "II ", "", 1, 2.8);
    first.stackedVolume = 4.0;
    SummaryItem second = first;
    second.sizeClass = "xx";
    list.InsertSummary(first);
    list.InsertSummary(second);
    ASSERT_EQ(Keys(list), std::vector<std::string>{"BKPrII   "});
    EXPECT_EQ(list.begin()->count, 2);
    EXPECT_DOUBLE_EQ(list.begin()->stackedVolume, 8.0);
    list.Clear();
    EXPECT_TRUE(list.Empty());
}

} // namespace
} // namespace zvk
