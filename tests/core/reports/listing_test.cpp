#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "golden.h"
#include "reports/listing.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"

namespace zvk {
namespace {

using test::ReadBytes;
using test::TempDir;

// Items of lists of the current format, one piece of every long-wood and sawn item
// unless the count says otherwise.
std::string LongWood(std::string_view volume, std::string_view pieces = "  1")
{
    return std::string("2M    101SMVy   I    3  4.00 32KO") + std::string(volume) + " 0" +
           std::string(29, ' ') + std::string(pieces);
}

const std::string kStackedWood = "2O    201BKPr1  II  0.70  0.36PR  0.36 0";
const std::string kSawnTimber =
    "2P    301SMReF  I   1.00 4.0 251500.360 0" + std::string(21, ' ') + "  1";

class ListingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(document.OpenReportDocument({dir.Path() / "listing.rtf", {}}, {}));
        listing.Reset(false);
        listing.WriteListingHeader();
        listing.WriteListingLine("ADLIST.DAT         1ZVK_CE         V 3.10");
    }

    // The document's lines, the totals block written last.
    std::string Finish()
    {
        listing.WriteTotals();
        EXPECT_TRUE(test::Succeeded(document.CloseReportDocument()));
        return test::ReadableLines(ReadBytes(dir.Path() / "listing.rtf"));
    }

    TempDir dir;
    ReportDocument document;
    Listing listing{document};
};

// A season of 5,000 items of 0.36, a volume that no binary fraction holds: summed
// one after another, they still total 1800 to the last decimal, as the grand totals
// of the sorted summary do.
TEST_F(ListingTest, TotalsOfManyItemsKeepTheirLastDecimal)
{
    for (int item = 0; item < 5000; ++item) {
        listing.WriteListingLine(LongWood(" 0.36"));
        listing.WriteListingLine(kStackedWood);
        listing.WriteListingLine(kSawnTimber);
    }
    const std::string text = Finish();
    const std::size_t from = text.find("-----");
    const std::string totals = text.substr(from, text.rfind("-----") - from);
    for (const char* line :
         {"Dlhe drevo: 5000 ks,    Priem.kubatura: 0.36 m3         1800.00 m3",
          "Rovnane drevo:               1800.00 pm                 1800.00 m3",
          "Rezivo:                         5000 ks                  1800.000 m3"})
        EXPECT_NE(totals.find(line), std::string::npos) << line << "\n" << totals;
}

// An archive's 2,150,000 items of 999 pieces count past what 32 bits hold: the totals
// line is still printed, with the whole count.
TEST_F(ListingTest, PieceTotalsCountPastThirtyTwoBits)
{
    const std::string item = LongWood(" 0.10", "999");
    for (int i = 0; i < 2'150'000; ++i)
        listing.WriteListingLine(item);
    const std::string text = Finish();
    const std::string totals = text.substr(text.find("-----"));
    EXPECT_NE(totals.find("Dlhe drevo: 2147850000 ks,    Priem.kubatura: 0.00 m3"),
              std::string::npos)
        << totals;
}

// The volume per piece of one item is a single division in single precision, as it
// always printed: 4.01 in two pieces is 2.01 (double precision would print 2.00).
TEST_F(ListingTest, VolumePerPieceIsDividedAsItAlwaysWas)
{
    listing.WriteListingLine(LongWood(" 4.01", "  2"));
    const std::string text = Finish();
    EXPECT_NE(text.find("   2* 2.01   4.01  KO"), std::string::npos) << text;
}

} // namespace
} // namespace zvk
