#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "office.h"
#include "reports/documents.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ConvertWithOffice;
using test::ReadBytes;
using test::TempDir;
using test::TestData;

// Characters, not bytes: the columns of the document are counted as the reader sees them.
std::size_t Characters(std::string_view utf8)
{
    std::size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
    return lines;
}

bool Contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

// A real word processor reads the documents: a two-page report over lists of all
// three kinds of wood with a one-column listing, and a consignment note with a
// two-column listing, both with Slovak letters, braces and a backslash in the
// company lines and header values.
class OfficeConversionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::string_view(ZVK_SOFFICE).empty())
            GTEST_SKIP() << "LibreOffice (soffice) is not installed; 'make test' installs it";
        for (const char* sample : {"LIST0001.DAT", "LIST0002.DAT", "LIST0003.DAT", "STARY001.DAT"})
            fs::copy_file(fs::path(ZVK_SAMPLE_DIR) / sample, lists.Path() / sample);
        fs::copy_file(TestData("reports/subtotals/MIXED.DAT"), lists.Path() / "MIXED.DAT");
    }

    std::string AsText(const fs::path& document)
    {
        EXPECT_TRUE(ConvertWithOffice({document}, "txt:Text (encoded):UTF8", work.Path()))
            << document;
        fs::path text = work.Path() / document.filename();
        text.replace_extension(".txt");
        std::string bytes = ReadBytes(text);
        return bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? bytes.substr(3) : bytes;
    }

    TempDir lists;
    TempDir work;
};

TEST_F(OfficeConversionTest, ReportReadsAsWritten)
{
    const ReportSelection selection{{1, 1, 2026}, {31, 12, 2026}, {{1, "Lesn\xE1 spr\xE1va", ""}}};
    const Result<fs::path> outcome = MakeReport(
        selection, lists.Path(), {{}, TestData("reports/ZVK.INI"), {work.Path() / "r.rtf", {}}});
    ASSERT_TRUE(test::Succeeded(outcome));
    const std::string text = AsText(*outcome);
    for (const char* expected :
         {"Lesy {Horehronie} š.p.", "Námestie SNP 12\\A, 977 01 Brezno",
          "Odštepný závod Čierny Balog", "   Lesná správa ", "Strana: 1", "Strana: 2"})
        EXPECT_TRUE(Contains(text, expected)) << expected << "\n" << text;

    // Every line of the summary tables is 46 characters wide, a species written
    // with a letter above ASCII too, and every long-wood listing line has its
    // Mer. code in the same column.
    int tableLines = 0;
    bool inTable = false;
    std::size_t merColumn = 0;
    for (const std::string& line : Lines(text)) {
        if (line.rfind("      ks    Dr", 0) == 0) {
            inTable = true;
        } else if (line.rfind("-----", 0) == 0) {
            inTable = false;
        } else if (inTable && !line.empty() && line.rfind("Strana: ", 0) != 0) {
            EXPECT_EQ(Characters(line), 46u) << line;
            ++tableLines;
        }
        if (Contains(line, "KO    0")) {
            const std::size_t column = Characters(line.substr(0, line.find("KO")));
            merColumn = merColumn == 0 ? column : merColumn;
            EXPECT_EQ(column, merColumn) << line;
        }
    }
    EXPECT_GT(tableLines, 40);
    EXPECT_TRUE(Contains(text, "       1    ŽI    Vy    I      4          0.45"));
}

TEST_F(OfficeConversionTest, ConsignmentNoteReadsAsWritten)
{
    const Result<fs::path> outcome = MakeConsignmentNote(
        TestData("reports/note/NOTE.DAT"),
        {{false, true, true}, TestData("reports/ZVK.INI"), {work.Path() / "n.rtf", {}}});
    ASSERT_TRUE(test::Succeeded(outcome));
    const std::string text = AsText(*outcome);
    for (const char* expected :
         {"Datum: 05.03.2007", "Lesná správa:LS Čierny Balog     ",
          "Odberateľ:Píla {Sever}        ", "Číslo dokladu:DL\\2007             ",
          "Miesto {nakládky}:X                   ", "Strana: 1"})
        EXPECT_TRUE(Contains(text, expected)) << expected << "\n" << text;
    const std::string twoItems =
        "     31   SM  I     4.50    32   0.36        32   BK  II    4.00  0.70   2.80   ";
    EXPECT_TRUE(Contains(text, twoItems + "\n")) << text;
}

} // namespace
} // namespace zvk
