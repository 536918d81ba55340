#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "office.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ConvertWithOffice;
using test::ReadBytes;
using test::ShellQuoted;
using test::TempDir;
using test::TestData;

constexpr std::string_view kPageNumber = "Strana: ";

// The numbers of the page number lines in `text`, in their order.
std::vector<int> PageNumbers(std::string_view text)
{
    std::vector<int> numbers;
    for (std::size_t at = text.find(kPageNumber); at != std::string_view::npos;
         at = text.find(kPageNumber, at + 1))
        numbers.push_back(std::atoi(std::string(text.substr(at + kPageNumber.size(), 8)).c_str()));
    return numbers;
}

// Every reviewed document as a word processor set up for Letter paper lays it out.
// The program breaks its pages itself, for A4 and lines of 10 points; unless the
// document says both, a page runs over the sheet and its number stands alone on
// the next one.
class OfficePagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::string_view(ZVK_SOFFICE).empty())
            GTEST_SKIP() << "LibreOffice (soffice) is not installed; 'make test' installs it";
        if (std::string_view(ZVK_PDFINFO).empty() || std::string_view(ZVK_PDFTOTEXT).empty())
            GTEST_SKIP() << "pdfinfo or pdftotext (poppler-utils) is not installed; 'make test' "
                            "installs them";
    }

    // What `program` writes to its standard output when it is given `arguments`.
    std::string Output(const char* program, const std::string& arguments)
    {
        const fs::path output = work.Path() / "output.txt";
        const std::string command = ShellQuoted(program) + " " + arguments + " >" +
                                    ShellQuoted(output.string()) + " 2>/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return ReadBytes(output);
    }

    int Sheets(const fs::path& pdf)
    {
        const std::string info = Output(ZVK_PDFINFO, ShellQuoted(pdf.string()));
        constexpr std::string_view kPages = "\nPages:";
        const std::size_t at = info.find(kPages);
        EXPECT_NE(at, std::string::npos) << info;
        return at == std::string::npos ? 0 : std::atoi(info.c_str() + at + kPages.size());
    }

    // The text of each sheet; pdftotext ends every sheet with a form feed.
    std::vector<std::string> SheetTexts(const fs::path& pdf)
    {
        const std::string text = Output(ZVK_PDFTOTEXT, ShellQuoted(pdf.string()) + " -");
        std::vector<std::string> sheets;
        for (std::size_t from = 0, end; (end = text.find('\f', from)) != std::string::npos;
             from = end + 1)
            sheets.push_back(text.substr(from, end - from));
        return sheets;
    }

    TempDir work;
};

TEST_F(OfficePagesTest, EveryPageOfADocumentIsOneSheetWithItsOwnNumber)
{
    std::vector<fs::path> documents;
    for (const fs::directory_entry& entry : fs::directory_iterator(TestData("reports")))
        if (entry.path().extension() == ".rtf")
            documents.push_back(entry.path());
    std::sort(documents.begin(), documents.end());
    ASSERT_FALSE(documents.empty());
    ASSERT_TRUE(ConvertWithOffice(documents, "pdf", work.Path()));

    for (const fs::path& document : documents) {
        SCOPED_TRACE(document.filename().string());
        const int pages = static_cast<int>(PageNumbers(ReadBytes(document)).size());
        const fs::path pdf = work.Path() / document.filename().replace_extension(".pdf");
        EXPECT_EQ(Sheets(pdf), pages);
        const std::vector<std::string> sheets = SheetTexts(pdf);
        for (std::size_t sheet = 0; sheet < sheets.size(); ++sheet)
            EXPECT_EQ(PageNumbers(sheets[sheet]), std::vector<int>{static_cast<int>(sheet) + 1})
                << "sheet " << sheet + 1;
    }
}

} // namespace
} // namespace zvk
