#include <string>

#include <gtest/gtest.h>

#include "golden.h"
#include "reports/documents.h"
#include "support/comma_locale.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ExpectGolden;
using test::ReadBytes;
using test::TempDir;
using test::TestData;

std::string Padded(std::string text)
{
    text.resize(20, ' ');
    return text;
}

class ReportGoldenTest : public ::testing::Test
{
protected:
    std::string Report(const ReportSelection& selection, const fs::path& folder,
                       ReportOptions options, const fs::path& config)
    {
        const Result<fs::path> outcome =
            MakeReport(selection, folder, {options, config, {dir.Path() / "report.rtf", {}}});
        EXPECT_TRUE(test::Succeeded(outcome));
        return ReadBytes(*outcome);
    }

    std::string ListsReport(CalendarDate from, CalendarDate to, bool twoColumns)
    {
        return Report({from, to, {}}, TestData("reports/lists"), {!twoColumns, twoColumns, false},
                      TestData("reports/ZVK.INI"));
    }

    TempDir dir;
};

// Items of every kind, with one, several and no pieces, a "2N" item and a list of
// the oldest format, one after another under one header.
TEST_F(ReportGoldenTest, OneColumnListing)
{
    ExpectGolden("listing_one_column.rtf", ListsReport({2, 3, 2026}, {4, 3, 2026}, false));
}

// Two lists of three and four items: the last line is half-filled and is ended
// before the totals.
TEST_F(ReportGoldenTest, TwoColumnListingWithAnOddNumberOfItems)
{
    ExpectGolden("listing_two_column_odd.rtf", ListsReport({2, 3, 2026}, {3, 3, 2026}, true));
}

TEST_F(ReportGoldenTest, TwoColumnListingWithAnEvenNumberOfItems)
{
    ExpectGolden("listing_two_column_even.rtf", ListsReport({2, 3, 2026}, {4, 3, 2026}, true));
}

// Changes of diameter class alone, quality, assortment and species in each table,
// sawn quality codes of either alignment, and a species above ASCII.
TEST_F(ReportGoldenTest, EverySubtotalLevelOfEachTable)
{
    ExpectGolden("summaries_all_levels.rtf",
                 Report({{5, 3, 2026}, {5, 3, 2026}, {}}, TestData("reports/subtotals"),
                        {false, false, true}, TestData("reports/ZVK.INI")));
}

TEST_F(ReportGoldenTest, EmptyReport)
{
    ExpectGolden("empty_report.rtf", Report({{1, 1, 2026}, {31, 12, 2026}, {}}, dir.Path(), {},
                                            TestData("reports/ZVK.INI")));
}

// The sample lists with two criteria rows and a row without a criterion: the
// report runs over a page break in the middle of its sorted summary. It is made
// on a desktop whose decimal point is a comma, and still prints points.
TEST_F(ReportGoldenTest, SampleReportAcrossAPageBreak)
{
    const test::CommaDecimalLocale comma;
    ASSERT_TRUE(comma.Active()) << "a locale with a decimal comma is needed (locales-all)";
    const fs::path samples = ZVK_SAMPLE_DIR;
    const ReportSelection selection{{1, 10, 2026},
                                    {30, 11, 2026},
                                    {{4, "Lokalita: ", Padded("Horn\xFD Hron\xE8ok")},
                                     {2, "Odberate\xBE: ", ""},
                                     {0, "", ""},
                                     {9, "Pozn\xE1mka: ", Padded("")}}};
    const std::string report = Report(selection, samples, {}, test::SampleConfiguration());
    ExpectGolden("sample_report.rtf", report);
    EXPECT_NE(report.find("Strana: 2"), std::string::npos);
}

TEST_F(ReportGoldenTest, ConsignmentNoteWithHeaderValuesInFileOrder)
{
    const Result<fs::path> outcome =
        MakeConsignmentNote(TestData("reports/note/NOTE.DAT"),
                            {{}, TestData("reports/ZVK.INI"), {dir.Path() / "note.rtf", {}}});
    ASSERT_TRUE(test::Succeeded(outcome));
    ExpectGolden("consignment_note.rtf", ReadBytes(*outcome));
}

} // namespace
} // namespace zvk
