#include "lists/semicolon_conversion.h"

#include <gtest/gtest.h>

#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::TempDir;

// The long-wood line that the text import writes for item 12345.
const std::string kImportedLog =
    "2M  12345SMVy   I   3   4.50 32KO 0.36 0" + std::string(31, ' ') + "11";

std::string Convert(SemicolonConversion& conversion, std::string_view line)
{
    return conversion.ConvertLine(line, "LIST01.DAT");
}

TEST(SemicolonLineTest, LongWoodKeepsWidthsAndGetsDecimalCommas)
{
    SemicolonConversion conversion;
    Convert(conversion, "ADLIST01.dat       0ZVK_CE         V 3.02");
    EXPECT_EQ(Convert(conversion, kImportedLog),
              " 12345;SM;Vy;   ;I  ;3 ; 4,50; 32;KO; 0,36; 0;  1;" + std::string(21, ' ') + "\r\n");
}

TEST(SemicolonLineTest, HeaderCarriesTheListNameNumberAndProgram)
{
    SemicolonConversion conversion;
    EXPECT_EQ(Convert(conversion, "ADLIST01.dat       0ZVK_CE         V 3.02"),
              "LIST01.DAT;     0;ZVK_CE         V 3.02\r\n");
    EXPECT_EQ(conversion.VersionInForce(), "3.02");
    // Wide-name form: 14-character name, number and program two columns further on.
    EXPECT_EQ(Convert(conversion, "ADLONGNAME01.DAT     1ZVK_CE         V 4.10"),
              "LIST01.DAT;     1;ZVK_CE         V 4.10\r\n");
    EXPECT_EQ(Convert(conversion, "ADSTARY001.DAT     7Spracov"),
              "LIST01.DAT;     7;Spracov" + std::string(14, ' ') + "\r\n");
    EXPECT_EQ(conversion.VersionInForce(), "1.18");
    // The wide columns begin above 4.00: exactly 4.00 reads number and program at 14
    // and 20, 4.01 two columns further on.
    const std::string header = "ADLIST01.dat      42ZVK_CE         V 4.0";
    EXPECT_EQ(Convert(conversion, header + "0xx"), "LIST01.DAT;    42;ZVK_CE         V 4.00\r\n");
    EXPECT_EQ(Convert(conversion, header + "1xx"), "LIST01.DAT;  42ZV;K_CE         V 4.01xx\r\n");
}

TEST(SemicolonLineTest, HeaderValuesGiveOneLineEach)
{
    SemicolonConversion conversion;
    EXPECT_EQ(Convert(conversion, "0A05.11.26LS Brezno"),
              " ;05.11.26\r\n ;LS Brezno           \r\n");
    EXPECT_EQ(Convert(conversion, "0eHodnota 14          Hodnota 15"),
              " ;Hodnota 14          \r\n ;Hodnota 15          \r\n");
    EXPECT_EQ(Convert(conversion, "0l"),
              " ;" + std::string(20, ' ') + "\r\n ;" + std::string(20, ' ') + "\r\n");
}

TEST(SemicolonLineTest, StackedWoodSawnTimberAndFourthKindLeaveTheirColumnsEmpty)
{
    SemicolonConversion conversion;
    Convert(conversion, "ADLIST01.dat       0ZVK_CE         V 3.10");
    EXPECT_EQ(Convert(conversion, "2O    201BKPr1  II  0.70  4.00PR  2.80 0hrana"),
              "   201;BK;Pr;1  ;II ;0,70;  4,00;;PR;  2,80; 0;;hrana" + std::string(16, ' ') +
                  "\r\n");
    EXPECT_EQ(Convert(conversion, "2P    301SMReF  I   1.00 4.0 251500.150 0susene" +
                                      std::string(15, ' ') + " 10"),
              "   301;SM;Re;F  ;I  ;1,00; 4,0; 25;150;0,150; 0; 10;susene" + std::string(15, ' ') +
                  "\r\n");
    EXPECT_EQ(Convert(conversion, "2Q    401SMVyA  I  ABC 1.23 12.34 5poznamka"),
              "   401;SM;Vy;A  ;I  ;ABC;1,23;;; 12,34; 5;;poznamka" + std::string(13, ' ') +
                  "\r\n");
}

TEST(SemicolonLineTest, CommasGoByPositionNotBySearch)
{
    SemicolonConversion conversion;
    Convert(conversion, "ADLIST01.dat       0ZVK_CE         V 3.10");
    // A length written as "12345" has no point; its third character becomes the comma.
    const std::string line = Convert(conversion, "2M    101SMVy   I   3  12345 32KO 0.36");
    EXPECT_EQ(line.substr(24, 5), "12,45");
    EXPECT_EQ(line.substr(37, 5), " 0,36");
}

TEST(SemicolonLineTest, OldListsAreFixedUpAndTheVersionCarriesOver)
{
    SemicolonConversion conversion;
    const std::string oldItem = "2M 12345SMVy   I   3   4.00 28KO 0.25";
    const std::string fixedUp = " 12345;SM;Vy;   ;I  ;3 ; 4,00; 28;KO; 0,25;  ;   ;";
    // Before any header the version is empty, which is below every version.
    EXPECT_EQ(Convert(conversion, oldItem).substr(0, fixedUp.size()), fixedUp);
    Convert(conversion, "ADSTARY001.DAT     7Spracov");
    EXPECT_EQ(Convert(conversion, oldItem).substr(0, fixedUp.size()), fixedUp);
    Convert(conversion, "ADX                 ZVK_CE         V 1.19");
    EXPECT_EQ(Convert(conversion, oldItem).substr(0, 7), "12345S;");
    // A following list without a header keeps the version of the one before.
    EXPECT_EQ(Convert(conversion, oldItem).substr(0, 7), "12345S;");
}

TEST(SemicolonLineTest, OtherRecordsGiveNothing)
{
    SemicolonConversion conversion;
    for (const char* line : {"2N  12345SMVy   I   3   4.50 32KO 0.36", "0XR1", "", "2", "0m",
                             "2m    101", "ZZ garbage", "\xFF\xFE"})
        EXPECT_EQ(Convert(conversion, line), "") << line;
}

TEST(SemicolonTextPathTest, ReplacesOnlyTheListsOwnDatExtension)
{
    EXPECT_EQ(SemicolonTextPathFor("/data/LIST01.DAT"), fs::path("/data/LIST01.csv"));
    EXPECT_EQ(SemicolonTextPathFor("/data/list.dat"), fs::path("/data/list.csv"));
    EXPECT_EQ(SemicolonTextPathFor("/data/List.Dat"), fs::path("/data/List.csv"));
    EXPECT_EQ(SemicolonTextPathFor("/X.DAT/LIST01.DAT"), fs::path("/X.DAT/LIST01.csv"));
    EXPECT_EQ(SemicolonTextPathFor("/a.dat.bak/b.DAT.DAT"), fs::path("/a.dat.bak/b.DAT.csv"));
    EXPECT_FALSE(SemicolonTextPathFor("/X.DAT/list.txt"));
    EXPECT_FALSE(SemicolonTextPathFor("/data/LIST01.DAT.tmp"));
    EXPECT_FALSE(SemicolonTextPathFor("/data/LIST01"));
}

class SemicolonFileTest : public ::testing::Test
{
protected:
    TempDir m_dir;
    SemicolonConversion m_conversion;
};

TEST_F(SemicolonFileTest, SampleListsMatchTheirReviewedTexts)
{
    for (const char* name : {"LIST0001", "LIST0002", "LIST0003", "STARY001"}) {
        const fs::path list = m_dir.Path() / (std::string(name) + ".DAT");
        fs::copy_file(fs::path(ZVK_SAMPLE_DIR) / list.filename(), list);
        const Result<fs::path> outcome =
            m_conversion.ConvertListToSemicolonText(list, list.filename().string());
        ASSERT_TRUE(test::Succeeded(outcome));
        EXPECT_EQ(*outcome, m_dir.Path() / (std::string(name) + ".csv"));
        EXPECT_EQ(ReadBytes(*outcome),
                  ReadBytes(test::TestData("lists/" + std::string(name) + ".csv")))
            << name;
    }
}

TEST_F(SemicolonFileTest, ReplacesAnEarlierTextAndReadsLinesWhole)
{
    m_dir.Write("LIST01.csv", "old text");
    // With 499-byte pieces, the tail of this line would become a record of its own.
    std::string longLine = "0XR1" + std::string(495, 'x') + "2M    101SMVy   I   3  4.50 32KO";
    longLine += std::string(1 << 20, 'y');
    const fs::path list = m_dir.Write("LIST01.DAT", longLine + "\n0A01.02.26Hodnota\n");
    const Result<fs::path> outcome = m_conversion.ConvertListToSemicolonText(list, "LIST01.DAT");
    ASSERT_TRUE(test::Succeeded(outcome));
    EXPECT_EQ(ReadBytes(*outcome), " ;01.02.26\r\n ;Hodnota             \r\n");
}

TEST_F(SemicolonFileTest, EmptyListGivesAnEmptyText)
{
    const fs::path list = m_dir.Write("EMPTY.DAT", "");
    const Result<fs::path> outcome = m_conversion.ConvertListToSemicolonText(list, "EMPTY.DAT");
    ASSERT_TRUE(test::Succeeded(outcome));
    EXPECT_EQ(ReadBytes(*outcome), "");
}

TEST_F(SemicolonFileTest, BinaryGarbageNeitherCrashesNorStops)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    const fs::path list = m_dir.Write("GARBAGE.DAT", garbage + "\n2M\n2O\n0A\n" + garbage + "\r\n");
    const Result<fs::path> outcome = m_conversion.ConvertListToSemicolonText(list, "GARBAGE.DAT");
    ASSERT_TRUE(test::Succeeded(outcome));
    EXPECT_TRUE(fs::exists(*outcome));
}

TEST_F(SemicolonFileTest, NameWithoutDatIsRefusedAndNothingWritten)
{
    const fs::path list = m_dir.Write("list.txt", "0A01.02.26x\r\n");
    const Result<fs::path> outcome = m_conversion.ConvertListToSemicolonText(list, "list.txt");
    ASSERT_FALSE(outcome);
    EXPECT_NE(outcome.error().detail.find("list.txt"), std::string::npos);
    EXPECT_EQ(ListFolder(m_dir.Path()), "list.txt");
}

TEST_F(SemicolonFileTest, UnreadableListIsReportedAndNothingWritten)
{
    EXPECT_FALSE(m_conversion.ConvertListToSemicolonText(m_dir.Path() / "MISSING.DAT", "M"));
    fs::create_directory(m_dir.Path() / "FOLDER.DAT");
    EXPECT_FALSE(m_conversion.ConvertListToSemicolonText(m_dir.Path() / "FOLDER.DAT", "F"));
    EXPECT_EQ(ListFolder(m_dir.Path()), "FOLDER.DAT");
}

TEST_F(SemicolonFileTest, UnwritableFolderLeavesNoPartialText)
{
    const fs::path list = m_dir.Write("ro/LIST01.DAT", "0A01.02.26x\r\n");
    fs::permissions(m_dir.Path() / "ro", fs::perms::owner_read | fs::perms::owner_exec |
                                             fs::perms::others_read | fs::perms::others_exec);
    EXPECT_TRUE(test::AsOrdinaryUser([&] {
        const Result<fs::path> outcome =
            m_conversion.ConvertListToSemicolonText(list, "LIST01.DAT");
        return !outcome && !outcome.error().detail.empty();
    }));
    EXPECT_EQ(ListFolder(m_dir.Path() / "ro"), "LIST01.DAT");
}

TEST_F(SemicolonFileTest, ReadOnlyEarlierTextIsReportedAndKept)
{
    const fs::path list = m_dir.Write("LIST01.DAT", "0A01.02.26x\r\n");
    const fs::path old = m_dir.Write("LIST01.csv", "old text");
    fs::permissions(old, fs::perms::owner_read);
    const Result<fs::path> outcome = m_conversion.ConvertListToSemicolonText(list, "LIST01.DAT");
    EXPECT_FALSE(outcome);
    EXPECT_EQ(ReadBytes(old), "old text");
    EXPECT_EQ(ListFolder(m_dir.Path()), "LIST01.DAT LIST01.csv");
}

TEST_F(SemicolonFileTest, AStoppedConversionLeavesTheEarlierText)
{
    const fs::path list = m_dir.Write("Zoznam č.DAT", "0A01.02.26x\r\n");
    const fs::path old = m_dir.Write("Zoznam č.csv", "old text");
    std::stop_source stop;
    stop.request_stop();
    const Result<fs::path> outcome =
        m_conversion.ConvertListToSemicolonText(list, "Zoznam.DAT", stop.get_token());
    ASSERT_FALSE(outcome);
    // Named in UTF-8 whatever the desktop's code page.
    EXPECT_EQ(outcome.error().detail, "stopped before " + PathText(old) + " was finished");
    EXPECT_EQ(ReadBytes(old), "old text");
    EXPECT_EQ(ListFolder(m_dir.Path()), "Zoznam č.DAT Zoznam č.csv");
}

} // namespace
} // namespace zvk
