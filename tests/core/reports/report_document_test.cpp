#include <string>

#include <gtest/gtest.h>

#include "files/output_refusal.h"
#include "golden.h"
#include "reports/report_document.h"
#include "support/file_size_limit.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ReadBytes;
using test::TempDir;

constexpr std::string_view kLineBreak = "}{\\par \\fs20 ";

std::size_t Count(const std::string& text, std::string_view part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class ReportDocumentTest : public ::testing::Test
{
protected:
    void Open(CompanyHeader company = {})
    {
        ASSERT_TRUE(document.OpenReportDocument({dir.Path() / "doc.rtf", {}}, company));
    }

    std::string Close()
    {
        EXPECT_TRUE(test::Succeeded(document.CloseReportDocument()));
        return ReadBytes(dir.Path() / "doc.rtf");
    }

    TempDir dir;
    ReportDocument document;
};

TEST_F(ReportDocumentTest, EmptyDocumentFillsItsOnlyPage)
{
    Open({"Lesy {SR} \\ \xB9.p.", "", ""});
    EXPECT_EQ(document.LineCounter(), 5) << "the company header takes five lines";
    const std::string bytes = Close();
    test::ExpectGolden("empty_document.rtf", bytes);
    EXPECT_EQ(Count(bytes, kLineBreak), 5u + 53u);
    EXPECT_EQ(bytes.substr(bytes.size() - 11), "Strana: 1}}");
}

TEST_F(ReportDocumentTest, The61stLineOfAPageBreaksIt)
{
    Open();
    for (int line = 5; line < 60; ++line)
        document.NewLine();
    EXPECT_EQ(document.LineCounter(), 60);
    EXPECT_EQ(document.PageCounter(), 1);
    document.WriteText("last");
    document.NewLine();
    EXPECT_EQ(document.LineCounter(), 0);
    EXPECT_EQ(document.PageCounter(), 2);
    document.WriteText("next");
    const std::string bytes = Close();
    EXPECT_NE(bytes.find(std::string("last") + std::string(kLineBreak) + "\\ul0 \\b0 " +
                         std::string(kLineBreak) + "Strana: 1" + std::string(kLineBreak) +
                         "\\page next"),
              std::string::npos);
    EXPECT_EQ(Count(bytes, "\\page "), 1u);
    EXPECT_EQ(bytes.substr(bytes.size() - 11), "Strana: 2}}");
}

TEST_F(ReportDocumentTest, AFullLastPageGetsNoFillers)
{
    for (int lines : {58, 59, 60}) {
        Open();
        for (int line = 5; line < lines; ++line)
            document.NewLine();
        const std::string bytes = Close();
        EXPECT_EQ(Count(bytes, kLineBreak), static_cast<std::size_t>(lines)) << lines;
        EXPECT_NE(bytes.find(std::string(kLineBreak) + "Strana: 1}}"), std::string::npos);
    }
}

TEST_F(ReportDocumentTest, TextsAreEscapedAndControlWordsAreNot)
{
    Open();
    document.WriteControl(ControlWord::Bold);
    document.WriteText("\\b {x}");
    document.WriteControl(ControlWord::BoldOff);
    const std::string bytes = Close();
    EXPECT_EQ(
        bytes.rfind("{\\rtf1\\ansi\\ansicpg1250 \\deff0{\\fonttbl{\\f0\\fmodern\\fcharset238", 0),
        0u);
    EXPECT_NE(bytes.find("\\b \\\\b \\{x\\}\\b0 "), std::string::npos);
}

TEST(DocumentNameTest, DocumentsOfOneSecondKeepApart)
{
    TempDir dir;
    ReportDocument first;
    ReportDocument second;
    ASSERT_TRUE(first.OpenReportDocument({{}, dir.Path()}, {}));
    ASSERT_TRUE(second.OpenReportDocument({{}, dir.Path()}, {}));
    ASSERT_TRUE(first.CloseReportDocument());
    ASSERT_TRUE(second.CloseReportDocument());
    EXPECT_NE(first.Path(), second.Path());
    EXPECT_EQ(first.Path().parent_path(), dir.Path());
    EXPECT_EQ(TimeStampedDocumentName({2026, 3, 5, 7, 8, 9}, 1), "20260305070809.rtf");
    EXPECT_EQ(TimeStampedDocumentName({2026, 3, 5, 7, 8, 9}, 2), "20260305070809_2.rtf");
}

TEST(DocumentNameTest, AFolderThatCannotBeWrittenIsReported)
{
    TempDir dir;
    ReportDocument document;
    const Result<> opened = document.OpenReportDocument({{}, dir.Path() / "missing"}, {});
    ASSERT_FALSE(opened);
    EXPECT_NE(opened.error().detail.find("missing"), std::string::npos);
    EXPECT_FALSE(document.CloseReportDocument());
}

TEST(DocumentNameTest, AWriteErrorFailsTheDocument)
{
    const fs::path full = "/dev/full";
    if (!fs::exists(full))
        GTEST_SKIP() << "no device that is always full";
    ReportDocument document;
    ASSERT_TRUE(document.OpenReportDocument({full, {}}, {}));
    const Result<> closed = document.CloseReportDocument();
    ASSERT_FALSE(closed);
    EXPECT_NE(closed.error().detail.find("/dev/full"), std::string::npos) << closed.error().detail;
    EXPECT_TRUE(fs::exists(full)) << "only document files are removed";
}

TEST(DocumentNameTest, ANameThatAppearsWhileTheDocumentIsWrittenIsNotTaken)
{
    TempDir dir;
    ReportDocument document;
    ASSERT_TRUE(document.OpenReportDocument({{}, dir.Path()}, {}));
    // Another document of the same second, finished first.
    const fs::path other = dir.Write(document.Path().filename().string(), "the other document");
    ASSERT_TRUE(test::Succeeded(document.CloseReportDocument()));
    EXPECT_NE(document.Path(), other);
    EXPECT_EQ(document.Path().filename().string().substr(14), "_2.rtf");
    EXPECT_EQ(ReadBytes(other), "the other document");
    EXPECT_EQ(ReadBytes(document.Path()).substr(0, 6), "{\\rtf1");
}

TEST(DocumentOutputTest, AnUnfinishedDocumentLeavesTheEarlierFile)
{
    TempDir dir;
    const fs::path output = dir.Write("report.rtf", "earlier report");
    {
        ReportDocument dropped;
        ASSERT_TRUE(dropped.OpenReportDocument({output, {}}, {}));
        dropped.WriteText("unfinished");
        EXPECT_EQ(ReadBytes(output), "earlier report");
    }
    ReportDocument failing;
    ASSERT_TRUE(failing.OpenReportDocument({output, {}}, {}));
    failing.WriteText(std::string(1 << 20, 'x'));
    std::error_code reason;
    {
        const test::FileSizeLimit full(4096);
        const Result<> closed = failing.CloseReportDocument();
        ASSERT_FALSE(closed);
        reason = closed.error().file.reason;
    }
    EXPECT_EQ(reason, std::errc::file_too_large);
    EXPECT_EQ(ReadBytes(output), "earlier report");
    EXPECT_EQ(test::ListFolder(dir.Path()), "report.rtf");
}

TEST(DocumentOutputTest, AReadOnlyOutputIsRefused)
{
    TempDir dir;
    const fs::path readOnly = dir.Write("kept.rtf", "kept");
    fs::permissions(readOnly, fs::perms::owner_read);
    ReportDocument refused;
    const Result<> opened = refused.OpenReportDocument({readOnly, {}}, {});
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().file.reason, OutputRefusal::ReadOnly);
    EXPECT_EQ(opened.error().file.file, readOnly);
    EXPECT_NE(opened.error().detail.find("kept.rtf is read-only"), std::string::npos);
    EXPECT_EQ(ReadBytes(readOnly), "kept");
}

TEST(DocumentOutputTest, ALinkAsOutputIsReplacedAndItsTargetLeftAlone)
{
    TempDir dir;
    const fs::path elsewhere = dir.Write("elsewhere.txt", "not a document");
    const fs::path link = dir.Path() / "link.rtf";
    fs::create_symlink(elsewhere, link);
    ReportDocument document;
    ASSERT_TRUE(document.OpenReportDocument({link, {}}, {}));
    ASSERT_TRUE(test::Succeeded(document.CloseReportDocument()));
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(link).substr(0, 6), "{\\rtf1");
    EXPECT_EQ(ReadBytes(elsewhere), "not a document");
}

TEST(DocumentNameTest, ADroppedDocumentLeavesNothing)
{
    TempDir dir;
    {
        ReportDocument document;
        ASSERT_TRUE(document.OpenReportDocument({{}, dir.Path()}, {}));
        document.WriteText("unfinished");
    }
    EXPECT_EQ(test::ListFolder(dir.Path()), "");
}

} // namespace
} // namespace zvk
