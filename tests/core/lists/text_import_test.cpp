#include "lists/text_import.h"

#include <cstdio>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "support/comma_locale.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::TempDir;

const std::string kHead = "ADLOG0612.dat      0ZVK_CE         V 3.02\r\n0XR1\r\n";
const std::string kTail = " 0" + std::string(31, ' ') + "11\r\n";

std::string Import(const std::string& text)
{
    std::istringstream in(text);
    return DataListFromMeasurementText(in, "LOG0612.dat");
}

std::string Lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

TEST(TextImportTest, OneLogGivesTheLongWoodLine)
{
    EXPECT_EQ(Import(Lines({"FmoR", "12345", "SM", "I", "3", "4,5", "32", "0,36"})),
              kHead + "2M  12345SMVy   I   3   4.50 32KO 0.36" + kTail);
}

TEST(TextImportTest, ValuesAreTrimmedAndMayCarryTextAfterTheNumber)
{
    EXPECT_EQ(Import("intro\nFmoR export\n  7 ks\n\tBK \nA\n 2\n4.00 m\n35cm\n0.58 m3\n"),
              kHead + "2M      7BKVy   A   2   4.00 35KO 0.58" + kTail);
}

TEST(TextImportTest, BlankLinesCountOnlyAsAnEmptyQuality)
{
    EXPECT_EQ(
        Import(Lines({"", "FmoR", "", "1", "  ", "JD", "", "", "2", "", "4", "24", "", "0,18"})),
        kHead + "2M      1JDVy       2   4.00 24KO 0.18" + kTail);
}

TEST(TextImportTest, MalformedValuesAreSkippedWhereTheReaderWaits)
{
    // A one-letter species, a text diameter class is fine, a length and a diameter
    // that are no numbers are skipped.
    EXPECT_EQ(Import(Lines({"FmoR", "5", "S", "SM", "II", "x2", "dlzka", "4,5", "priemer", "30",
                            "objem", "0,32"})),
              kHead + "2M      5SMVy   II  x2  4.50 30KO 0.32" + kTail);
}

TEST(TextImportTest, NoNumberWhereAnItemNumberBelongsWaitsForTheNextMarker)
{
    const std::string log = Lines({"1", "SM", "I", "3", "4,5", "32", "0,36"});
    const std::string result =
        Import(Lines({"FmoR"}) + log + Lines({"FmoR"}) +
               Lines({"2", "SM", "I", "3", "4,5", "32", "0,36"}) + Lines({"FmoR"}) + log);
    EXPECT_EQ(result, kHead + "2M      1SMVy   I   3   4.50 32KO 0.36" + kTail +
                          "2M      1SMVy   I   3   4.50 32KO 0.36" + kTail);
    EXPECT_EQ(Import(Lines({"fmor", "1", "SM", "I", "3", "4", "32", "0,3"})), kHead);
    EXPECT_EQ(Import(""), kHead);
}

TEST(TextImportTest, OversizedValuesWidenTheLineAsPrintfDoes)
{
    EXPECT_EQ(Import(Lines({"FmoR", "4294967295", "SMR", "IIII", "123", "100", "1000", "123,456"})),
              kHead + "2M 4294967295SMRVy   IIII 123 100.001000KO123.46" + kTail);
}

TEST(TextImportTest, HeaderKeepsTwelveCharactersOfTheName)
{
    std::istringstream in("");
    EXPECT_EQ(DataListFromMeasurementText(in, "MERANIE_DLHE.dat"),
              "ADMERANIE_DLHE     0ZVK_CE         V 3.02\r\n0XR1\r\n");
}

// Every log line must be what the handheld's desktop program wrote with printf
// in the "C" locale, whatever locale this process runs in.
TEST(TextImportTest, NumbersAreFormattedAsPrintfInTheCLocale)
{
    std::mt19937 random(20261207);
    std::uniform_real_distribution<float> length(0.0f, 30.0f);
    std::uniform_real_distribution<float> volume(0.0f, 9.0f);
    std::uniform_int_distribution<int> diameter(1, 999);
    std::string text = "FmoR\n";
    std::string expected = kHead;
    for (unsigned item = 1; item <= 500; ++item) {
        const float l = length(random);
        const float v = volume(random);
        const int d = diameter(random);
        char lengthText[32];
        char volumeText[32];
        std::snprintf(lengthText, sizeof lengthText, "%.9g", static_cast<double>(l));
        std::snprintf(volumeText, sizeof volumeText, "%.9g", static_cast<double>(v));
        text += std::to_string(item) + "\nSM\nI\n3\n" + lengthText + "\n" + std::to_string(d) +
                "\n" + volumeText + "\n";
        char line[160];
        std::snprintf(line, sizeof line,
                      "2M %6luSMVy   I   3  %5.2f%3dKO%5.2f 0                               11\r\n",
                      static_cast<unsigned long>(item), static_cast<double>(l), d,
                      static_cast<double>(v));
        expected += line;
    }
    std::string result;
    {
        const test::CommaDecimalLocale comma;
        ASSERT_TRUE(comma.Active()) << "a locale with a decimal comma is needed (locales-all)";
        result = Import(text);
    }
    EXPECT_EQ(result, expected);
}

class TextImportFileTest : public ::testing::Test
{
protected:
    TempDir m_dir;
};

TEST_F(TextImportFileTest, WritesTheListBesideTheTextWhateverTheWorkingFolder)
{
    const fs::path text = m_dir.Write("merania/Meranie ľavý breh.txt",
                                      Lines({"FmoR", "1", "SM", "I", "3", "4", "30", "0,28"}));
    const Result<ImportedList> outcome = ImportMeasurementText(text);
    ASSERT_TRUE(test::Succeeded(outcome));
    EXPECT_EQ(outcome->list, m_dir.Path() / PathFromText("merania/Meranie ľavý breh.dat"));
    EXPECT_FALSE(outcome->kept);
    // The name inside the list is Windows-1250, as every text of a list.
    EXPECT_EQ(ReadBytes(outcome->list).substr(0, 15), "ADMeranie \xBE"
                                                      "av\xFD"
                                                      " ");
    EXPECT_EQ(ListFolder(m_dir.Path() / "merania"), "Meranie ľavý breh.dat Meranie ľavý breh.txt");
}

// An earlier list of the name is replaced, and kept first; one with the same bytes is
// replaced alone.
TEST_F(TextImportFileTest, ReplacesAnEarlierListAndKeepsIt)
{
    m_dir.Write("LOG0612.dat", "old list");
    const Result<ImportedList> outcome = ImportMeasurementText(m_dir.Write("LOG0612.txt", ""));
    ASSERT_TRUE(test::Succeeded(outcome));
    EXPECT_EQ(ReadBytes(outcome->list), kHead);
    ASSERT_TRUE(outcome->kept);
    EXPECT_EQ(outcome->kept->keptAs.parent_path(), m_dir.Path() / PathFromText("nahradené"));
    EXPECT_EQ(ReadBytes(outcome->kept->keptAs), "old list");
    const Result<ImportedList> again = ImportMeasurementText(m_dir.Path() / "LOG0612.txt");
    ASSERT_TRUE(test::Succeeded(again));
    EXPECT_FALSE(again->kept);
    EXPECT_EQ(ListFolder(m_dir.Path() / PathFromText("nahradené")),
              PathText(outcome->kept->keptAs.filename()));
}

TEST_F(TextImportFileTest, FailuresAreReportedAndWriteNothing)
{
    EXPECT_FALSE(ImportMeasurementText(m_dir.Path() / "missing.txt"));
    fs::create_directory(m_dir.Path() / "folder.txt");
    EXPECT_FALSE(ImportMeasurementText(m_dir.Path() / "folder.txt"));
    // A file that is itself named .dat, in any letter case, is a list: its "list" would
    // replace it where letter case makes no other name (Windows), or stand beside it.
    const fs::path self = m_dir.Write("LIST.dat", "FmoR\n");
    EXPECT_FALSE(ImportMeasurementText(self));
    EXPECT_EQ(ReadBytes(self), "FmoR\n");
    const fs::path upper = m_dir.Write("ZOZNAM.DAT", "HD\n");
    EXPECT_FALSE(ImportMeasurementText(upper));
    EXPECT_EQ(ReadBytes(upper), "HD\n");
    EXPECT_EQ(ListFolder(m_dir.Path()), "LIST.dat ZOZNAM.DAT folder.txt");
}

TEST_F(TextImportFileTest, UnwritableFolderLeavesNothingBehind)
{
    const fs::path text = m_dir.Write("ro/LIST.TXT", "FmoR\n");
    fs::permissions(m_dir.Path() / "ro", fs::perms::owner_read | fs::perms::owner_exec |
                                             fs::perms::others_read | fs::perms::others_exec);
    EXPECT_TRUE(test::AsOrdinaryUser([&] { return !ImportMeasurementText(text); }));
    EXPECT_EQ(ListFolder(m_dir.Path() / "ro"), "LIST.TXT");
}

TEST_F(TextImportFileTest, BinaryGarbageAndHugeLinesDoNotCrash)
{
    std::string garbage(1 << 20, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 2654435761u) >> 24);
    const Result<ImportedList> outcome =
        ImportMeasurementText(m_dir.Write("garbage.txt", "FmoR\n" + garbage + "\n" + garbage));
    ASSERT_TRUE(test::Succeeded(outcome));
    EXPECT_EQ(ReadBytes(outcome->list).substr(0, 2), "AD");
}

} // namespace
} // namespace zvk
