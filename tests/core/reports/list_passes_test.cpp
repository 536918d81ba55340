#include <string>

#include <gtest/gtest.h>

#include "files/input_file.h"
#include "reports/item_reader.h"
#include "reports/list_passes.h"
#include "support/temp_dir.h"

namespace zvk {
namespace {

using test::TempDir;

ReportSelection Range(CalendarDate from, CalendarDate to, std::vector<CriteriaRow> rows = {})
{
    return {from, to, std::move(rows)};
}

// Whether a list of `bytes` (one line will do) passes `filter`.
bool Passes(const ListFilter& filter, std::string_view bytes)
{
    HeaderTextTable texts;
    return filter.Verdict(ReadListHeader(bytes, texts), texts) == ListVerdict::Belongs;
}

// The verdict on the list file at `list`, as a report reads it.
Result<ListVerdict> VerdictOnFile(const ListFilter& filter, const std::filesystem::path& list)
{
    const Result<std::string> bytes = ReadWholeFile(list);
    if (!bytes)
        return Unexpected(bytes.error());
    return Passes(filter, *bytes) ? ListVerdict::Belongs : ListVerdict::LeftOut;
}

std::string HeaderValue(std::string text)
{
    text.resize(20, ' ');
    return text;
}

TEST(ListFilterTest, BothBordersOfTheDateRangeBelongToIt)
{
    ListFilter filter(Range({5, 3, 2026}, {7, 3, 2026}));
    EXPECT_FALSE(Passes(filter, "0A04.03.26LS Brezno"));
    EXPECT_TRUE(Passes(filter, "0A05.03.26LS Brezno"));
    EXPECT_TRUE(Passes(filter, "0A07.03.26"));
    EXPECT_FALSE(Passes(filter, "0A08.03.26"));
    EXPECT_FALSE(Passes(filter, "0Axx.xx.xx")) << "no digits: 1 January 2000 is later";
    ListFilter far(Range({1, 1, 2099}, {31, 12, 2099}));
    EXPECT_TRUE(Passes(far, "0A15.06.99")) << "the year 99 is 2099";
}

TEST(ListFilterTest, CriteriaMatchExactlyAndTheLastRowDecides)
{
    const std::string brezno = HeaderValue("LS Brezno");
    ListFilter filter(Range({1, 1, 2000}, {31, 12, 2099},
                            {{3, "Cislo", HeaderValue("DL-1")}, {1, "Sprava", brezno}}));
    EXPECT_TRUE(Passes(filter, "0A05.03.26" + brezno));
    EXPECT_FALSE(Passes(filter, "0A05.03.26LS BREZNO           "));
    EXPECT_TRUE(Passes(filter, "0A05.03.26LS Brezno")) << "a short record is filled with spaces";
    EXPECT_TRUE(Passes(filter, "0B" + HeaderValue("any") + HeaderValue("DL-1")));
    EXPECT_FALSE(Passes(filter, "0B" + HeaderValue("any") + HeaderValue("DL-2")));
    EXPECT_TRUE(Passes(filter, "0b" + HeaderValue("any") + HeaderValue("DL-2")))
        << "record codes are case-sensitive";

    ListFilter overridden(
        Range({1, 1, 2000}, {31, 12, 2099}, {{1, "Sprava", brezno}, {1, "Sprava", ""}}));
    EXPECT_TRUE(Passes(overridden, "0A05.03.26LS Revuca           "));
}

TEST(ListFilterTest, EveryDateRecordOfAListFileCounts)
{
    TempDir dir;
    ListFilter filter(Range({1, 3, 2026}, {31, 3, 2026}));
    EXPECT_EQ(VerdictOnFile(filter, dir.Write("EMPTY.DAT", "")).value(), ListVerdict::Belongs);
    EXPECT_EQ(VerdictOnFile(filter, dir.Write("NODATE.DAT", "2M    101SMVy\r\n")).value(),
              ListVerdict::Belongs);
    EXPECT_EQ(VerdictOnFile(filter, dir.Write("TWO.DAT", "0A05.03.26\r\n0A05.04.26\r\n")).value(),
              ListVerdict::LeftOut)
        << "every date record counts";
    const Result<ListVerdict> missing = VerdictOnFile(filter, dir.Path() / "MISSING.DAT");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().file.file, dir.Path() / "MISSING.DAT");
    EXPECT_EQ(missing.error().file.reason, std::errc::no_such_file_or_directory);
}

TEST(ListFilterTest, DatesThatDoNotDecideAreToldWhenTheValuesDo)
{
    const struct
    {
        std::string_view list;
        std::optional<DateDoubt> doubt;
    } cases[] = {
        {"0A28.02.26\r\n", std::nullopt},
        {"0A29.02.28\r\n", std::nullopt}, // 2028 is a leap year
        {"0A31.12.26\r\n", std::nullopt},
        {"0A29.02.27\r\n", DateDoubt::ImpossibleDate},
        {"0A31.02.26\r\n", DateDoubt::ImpossibleDate},
        {"0A31.04.26\r\n", DateDoubt::ImpossibleDate},
        {"0A00.03.26\r\n", DateDoubt::ImpossibleDate},
        {"0A15.13.26\r\n", DateDoubt::ImpossibleDate},
        {"0A00.00.00\r\n", DateDoubt::ImpossibleDate},
        {"0Aab.cd.ef\r\n", DateDoubt::ImpossibleDate},
        {"0A05.03.26\r\n0A31.02.26\r\n0A06.03.26\r\n", DateDoubt::ImpossibleDate},
        {"2M    101SMVy\r\n", DateDoubt::NoDateRecord},
        {"", DateDoubt::NoDateRecord},
    };
    const std::string brezno = HeaderValue("LS Brezno");
    ListFilter filter(Range({1, 3, 2026}, {31, 3, 2026}, {{2, "Lokalita", brezno}}));
    for (const auto& [list, doubt] : cases) {
        HeaderTextTable texts;
        EXPECT_EQ(DateDoubtOf(ReadListHeader(list, texts)), doubt) << list;
        const std::string chosen = std::string(list) + "0B" + brezno + HeaderValue("");
        EXPECT_EQ(filter.DateDoubtFor(ReadListHeader(chosen, texts), texts), doubt) << list;
        const std::string other = std::string(list) + "0B" + HeaderValue("X") + brezno;
        EXPECT_EQ(filter.DateDoubtFor(ReadListHeader(other, texts), texts), std::nullopt)
            << "its values leave it out anyway: " << list;
    }
}

TEST(SummaryPassTest, FillsTheSummaryListsFromFixedUpItems)
{
    SummaryLists lists;
    SummaryPass pass;
    pass.AddLine("ADOLD.DAT          7Spracov 1998", lists);
    pass.AddLine("2M 12345SMVy   I    3  4.00 28KO 0.25 0                               21", lists);
    pass.AddLine("ADNEW.DAT          1ZVK_CE         V 3.10", lists);
    pass.AddLine("2N    102SMVyX  I    3  4.00 24KO 0.18 0                               11",
                 lists);
    pass.AddLine("2O    201BKPr1  II  0.70  4.00PR  2.80 0", lists);
    pass.AddLine("2P    301SMReF  I   1.00 4.0 251500.150 0                      10", lists);
    pass.AddLine("2P    302SMReF    I 1.00 4.0 251500.050 0                       5", lists);
    pass.AddLine("2Q    401SMReF  I   1.00 4.0 251500.150 0", lists);
    pass.AddLine("0ASMVy", lists);

    ASSERT_EQ(std::distance(lists.longWood.begin(), lists.longWood.end()), 1)
        << "the old list's item is read at the current columns and meets the 2N item";
    EXPECT_EQ(lists.longWood.begin()->species, "SM");
    EXPECT_EQ(lists.longWood.begin()->count, 3);
    EXPECT_DOUBLE_EQ(lists.longWood.begin()->volume, 0.43);

    ASSERT_EQ(std::distance(lists.stackedWood.begin(), lists.stackedWood.end()), 1);
    EXPECT_EQ(lists.stackedWood.begin()->count, 1);
    EXPECT_DOUBLE_EQ(lists.stackedWood.begin()->stackedVolume, 4.0);

    ASSERT_EQ(std::distance(lists.sawnTimber.begin(), lists.sawnTimber.end()), 1)
        << "sawn quality codes group alike whatever their alignment";
    EXPECT_EQ(lists.sawnTimber.begin()->quality, "I");
    EXPECT_EQ(lists.sawnTimber.begin()->sizeClass, " 25");
    EXPECT_EQ(lists.sawnTimber.begin()->count, 15);
}

TEST(SummaryPassTest, LongAndStackedQualityCodesKeepTheirAlignment)
{
    SummaryLists lists;
    SummaryPass pass;
    pass.AddLine("AD                  ZVK_CE         V 3.10", lists);
    pass.AddLine("2O    201BKPr1  II  0.70  4.00PR  2.80 0", lists);
    pass.AddLine("2O    202BKPr1   II 0.70  4.00PR  2.80 0", lists);
    EXPECT_EQ(std::distance(lists.stackedWood.begin(), lists.stackedWood.end()), 2);
}

TEST(SummaryPassTest, ShortLinesGiveShortFields)
{
    SummaryLists lists;
    SummaryPass pass;
    pass.AddLine("AD                  ZVK_CE         V 3.10", lists);
    pass.AddLine("2M    101SMVy   I", lists);
    ASSERT_FALSE(lists.longWood.Empty());
    EXPECT_EQ(lists.longWood.begin()->quality, "I");
    EXPECT_EQ(lists.longWood.begin()->sizeClass, "");
    EXPECT_EQ(lists.longWood.begin()->count, 0);
}

TEST(ItemReaderTest, FollowsTheVersionOfEachListAcrossLists)
{
    ItemReader reader;
    EXPECT_EQ(reader.Read("2M 12345SMVy"), SummaryKind::LongWood);
    EXPECT_EQ(reader.Item(), "2M  12345SMVy") << "before any header the oldest layout is assumed";
    EXPECT_EQ(reader.Read("ADNEW.DAT          1ZVK_CE         V 1.19"), std::nullopt);
    EXPECT_EQ(reader.Read("2P    301SMReF"), SummaryKind::SawnTimber);
    EXPECT_EQ(reader.Item(), "2P    301SMReF");
    EXPECT_EQ(reader.Read("ADOLD.DAT          7Spracov 1998"), std::nullopt);
    EXPECT_EQ(reader.Read("2O 12345BKPr"), SummaryKind::StackedWood);
    EXPECT_EQ(reader.Item(), "2O  12345BKPr");
    // The next list has no header of its own: it is read as the one before it.
    EXPECT_EQ(reader.Read("2N 12346SMVy"), SummaryKind::LongWood);
    EXPECT_EQ(reader.Item(), "2N  12346SMVy");
    for (const char* other : {"2Q 12347SMVy", "0ASMVy", "2m 12348SMVy", ""})
        EXPECT_EQ(reader.Read(other), std::nullopt) << other;
}

} // namespace
} // namespace zvk
