#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "files/output_refusal.h"
#include "reports/documents.h"
#include "reports/header_value_texts.h"
#include "support/recording_viewer.h"
#include "support/succeeded.h"
#include "support/temp_dir.h"
#include "support/unreadable_file.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ListFolder;
using test::ReadBytes;
using test::RecordingDocumentViewer;
using test::TempDir;
using test::TestData;

const ReportSelection kMarch2026{{1, 3, 2026}, {31, 3, 2026}, {}};

class MakeReportTest : public ::testing::Test
{
protected:
    DocumentSettings Settings(ReportOptions options = {})
    {
        return {options, TestData("reports/ZVK.INI"), {{}, output.Path()}, &viewer};
    }

    TempDir lists;
    TempDir output;
    RecordingDocumentViewer viewer;
};

TEST_F(MakeReportTest, ShowsTheFinishedDocument)
{
    fs::copy(TestData("reports/lists"), lists.Path());
    const Result<fs::path> outcome = MakeReport(kMarch2026, lists.Path(), Settings());
    ASSERT_TRUE(test::Succeeded(outcome));
    EXPECT_EQ(outcome->parent_path(), output.Path());
    EXPECT_EQ(viewer.Shown(), std::vector<fs::path>{*outcome});
}

TEST_F(MakeReportTest, AnUnreadableListStopsTheReportAndLeavesNoDocument)
{
    fs::copy(TestData("reports/lists"), lists.Path());
    const test::UnreadableFile broken(lists.Path() / "BROKEN.DAT");
    const Result<fs::path> outcome = MakeReport(kMarch2026, lists.Path(), Settings());
    ASSERT_FALSE(outcome);
    EXPECT_NE(outcome.error().detail.find("BROKEN.DAT"), std::string::npos)
        << test::FailureDetail(outcome);
    EXPECT_EQ(outcome.error().file.file, lists.Path() / "BROKEN.DAT");
    EXPECT_EQ(outcome.error().file.reason, broken.Reason());
    EXPECT_EQ(outcome.error().file.access, FileFailure::Access::Reading);
    EXPECT_EQ(ListFolder(output.Path()), "");
    EXPECT_TRUE(viewer.Shown().empty());

    const Result<fs::path> note = MakeConsignmentNote(lists.Path() / "MISSING.DAT", Settings());
    EXPECT_NE(note.error().detail.find("MISSING.DAT"), std::string::npos)
        << test::FailureDetail(note);
    EXPECT_EQ(note.error().file.file, lists.Path() / "MISSING.DAT");
    EXPECT_EQ(ListFolder(output.Path()), "");

    // A document that cannot be created names itself, as written.
    const Result<fs::path> unwritten = MakeConsignmentNote(
        TestData("reports/note/NOTE.DAT"),
        {{}, TestData("reports/ZVK.INI"), {{}, output.Path() / "missing"}, &viewer});
    EXPECT_EQ(unwritten.error().file.file.parent_path(), output.Path() / "missing");
    EXPECT_EQ(unwritten.error().file.reason, std::errc::no_such_file_or_directory);
    EXPECT_EQ(unwritten.error().file.access, FileFailure::Access::Writing);
    EXPECT_TRUE(viewer.Shown().empty());
}

TEST_F(MakeReportTest, ReadsTheListsOfTheFolderInNameOrder)
{
    for (const char* name : {"b.dat", "A.DAT", "c.Dat", ".dat", "x.data", "notes.txt"})
        lists.Write(name, "");
    fs::create_directory(lists.Path() / "folder.dat");
    const Result<FolderLists> found = ReportListsIn(lists.Path());
    ASSERT_TRUE(test::Succeeded(found));
    EXPECT_EQ(found->names, (std::vector<std::string>{".dat", "A.DAT", "b.dat", "c.Dat"}));
    EXPECT_EQ(found->PathOf(1), lists.Path() / "A.DAT");
}

TEST_F(MakeReportTest, AFolderThatCannotBeReadIsNoEmptyReport)
{
    const Result<FolderLists> missing = ReportListsIn(lists.Path() / "missing");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().file.reason, std::errc::no_such_file_or_directory);
    const fs::path file = lists.Write("LIST.DAT", "");
    const Result<fs::path> outcome = MakeReport(kMarch2026, file, Settings());
    ASSERT_FALSE(outcome);
    EXPECT_EQ(outcome.error().file.file, file);
    EXPECT_EQ(outcome.error().file.reason, std::errc::not_a_directory);
    EXPECT_EQ(outcome.error().file.access, FileFailure::Access::ReadingFolder);
    EXPECT_EQ(ListFolder(output.Path()), "");
    EXPECT_TRUE(viewer.Shown().empty());
}

TEST_F(MakeReportTest, OnlyListsThatPassTheSelectionAreListed)
{
    fs::copy(TestData("reports/lists"), lists.Path());
    std::string value = "LS Rev\xFA"
                        "ca";
    value.resize(20, ' ');
    const ReportSelection selection{kMarch2026.from, kMarch2026.to, {{1, "Sprava", value}}};
    const Result<fs::path> outcome = MakeReport(selection, lists.Path(), Settings());
    ASSERT_TRUE(test::Succeeded(outcome));
    const std::string report = ReadBytes(*outcome);
    EXPECT_NE(report.find(" 12345  SM"), std::string::npos) << "the list of that value";
    EXPECT_EQ(report.find("    11  SM"), std::string::npos) << "a list of another value";
}

TEST_F(MakeReportTest, WithoutListingsOrSummaryOnlyTheSelectionIsWritten)
{
    fs::copy(TestData("reports/lists"), lists.Path());
    const ReportSelection selection{{1, 3, 2026}, {31, 3, 2026}, {{2, "Odberatel", ""}}};
    const Result<fs::path> outcome =
        MakeReport(selection, lists.Path(), Settings({false, false, false}));
    ASSERT_TRUE(test::Succeeded(outcome));
    const std::string report = ReadBytes(*outcome);
    const std::string body = "\\b    01.03.2026 - 31.03.2026}{\\par \\fs20 }{\\par \\fs20    "
                             "Odberatel }{\\par \\fs20 }{\\par \\fs20 }{\\par \\fs20 ";
    EXPECT_NE(report.find(body), std::string::npos);
    EXPECT_EQ(report.find("Dlhe drevo"), std::string::npos);
}

// Outputs that would destroy what the document is made of are refused before any
// list is read: a broken list in the folder would otherwise be the failure told.
TEST_F(MakeReportTest, AnOutputThatIsAnInputIsRefusedBeforeAnythingIsRead)
{
    fs::copy(TestData("reports/lists"), lists.Path());
    const fs::path list = lists.Path() / "EVEN.DAT";
    const std::string listBytes = ReadBytes(list);
    const test::UnreadableFile broken(lists.Path() / "BROKEN.DAT");
    fs::create_hard_link(list, output.Path() / "copy.rtf");
    const fs::path config = output.Path() / "ZVK.INI";
    fs::copy_file(TestData("reports/ZVK.INI"), config);
    const struct
    {
        fs::path target;
        OutputRefusal reason;
    } refused[] = {
        {list, OutputRefusal::DataListName},
        {output.Path() / "REPORT.Dat", OutputRefusal::DataListName},
        {output.Path() / "copy.rtf", OutputRefusal::SameAsInput},
        {config, OutputRefusal::SameAsInput},
    };
    for (const auto& [target, reason] : refused) {
        DocumentSettings settings = Settings();
        settings.configFile = config;
        settings.target.file = target;
        for (const Result<fs::path>& outcome : {MakeReport(kMarch2026, lists.Path(), settings),
                                                MakeConsignmentNote(list, settings)}) {
            EXPECT_EQ(outcome.error().file.reason, reason)
                << target << ": " << test::FailureDetail(outcome);
            EXPECT_EQ(outcome.error().file.file, target);
            EXPECT_EQ(outcome.error().file.access, FileFailure::Access::Writing);
            EXPECT_NE(outcome.error().detail.find(target.filename().string()), std::string::npos);
        }
    }
    EXPECT_EQ(ReadBytes(list), listBytes);
    EXPECT_EQ(ReadBytes(config), ReadBytes(TestData("reports/ZVK.INI")));
    EXPECT_EQ(ListFolder(output.Path()), "ZVK.INI copy.rtf");
    EXPECT_TRUE(viewer.Shown().empty());
}

// A list that is a symbolic link to the output: the output has a single name.
TEST_F(MakeReportTest, AListThatLinksToTheOutputIsRefused)
{
    fs::copy(TestData("reports/lists"), lists.Path());
    const std::string listBytes = ReadBytes(lists.Path() / "EVEN.DAT");
    const fs::path linked = output.Write("linked.rtf", listBytes);
    fs::create_symlink(linked, lists.Path() / "LINKED.DAT");
    DocumentSettings settings = Settings();
    settings.target.file = linked;
    for (const Result<fs::path>& outcome :
         {MakeReport(kMarch2026, lists.Path(), settings),
          MakeConsignmentNote(lists.Path() / "LINKED.DAT", settings)})
        EXPECT_EQ(outcome.error().file.reason, OutputRefusal::SameAsInput)
            << test::FailureDetail(outcome);
    EXPECT_EQ(ReadBytes(linked), listBytes);
    EXPECT_EQ(ListFolder(output.Path()), "linked.rtf");
    EXPECT_TRUE(viewer.Shown().empty());
}

TEST_F(MakeReportTest, AFailedOrStoppedReportLeavesTheEarlierOutput)
{
    fs::copy(TestData("reports/lists"), lists.Path());
    const fs::path earlier = output.Write("old.rtf", "earlier report");
    DocumentSettings settings = Settings();
    settings.target.file = earlier;

    std::stop_source stop;
    stop.request_stop();
    settings.stop = stop.get_token();
    const Result<fs::path> stopped = MakeReport(kMarch2026, lists.Path(), settings);
    EXPECT_EQ(stopped.error().file.reason, std::errc::operation_canceled)
        << test::FailureDetail(stopped);
    const Result<fs::path> stoppedNote = MakeConsignmentNote(lists.Path() / "EVEN.DAT", settings);
    EXPECT_EQ(stoppedNote.error().file.reason, std::errc::operation_canceled)
        << test::FailureDetail(stoppedNote);

    settings.stop = {};
    const test::UnreadableFile broken(lists.Path() / "BROKEN.DAT");
    const Result<fs::path> unreadable = MakeReport(kMarch2026, lists.Path(), settings);
    EXPECT_EQ(unreadable.error().file.file, lists.Path() / "BROKEN.DAT")
        << test::FailureDetail(unreadable);

    EXPECT_EQ(ReadBytes(earlier), "earlier report");
    EXPECT_EQ(ListFolder(output.Path()), "old.rtf");
    EXPECT_TRUE(viewer.Shown().empty());
}

using Told = std::vector<std::pair<std::uint64_t, std::uint64_t>>;

// Every count from none to all of `total`, in order, as a pass that reads them all tells.
Told AllCounts(std::uint64_t total)
{
    Told counts;
    for (std::uint64_t done = 0; done <= total; ++done)
        counts.emplace_back(done, total);
    return counts;
}

TEST_F(MakeReportTest, ProgressTellsEachListReadUpToTheLast)
{
    fs::copy(TestData("reports/lists"), lists.Path());
    Told told;
    DocumentSettings settings = Settings();
    settings.progress = [&](std::uint64_t done, std::uint64_t total) {
        told.emplace_back(done, total);
    };
    // Lists that the selection leaves out are read all the same.
    ASSERT_TRUE(test::Succeeded(MakeReport(kMarch2026, lists.Path(), settings)));
    EXPECT_EQ(told, AllCounts(3));
    told.clear();
    ASSERT_TRUE(test::Succeeded(MakeConsignmentNote(lists.Path() / "EVEN.DAT", settings)));
    EXPECT_EQ(told, AllCounts(1));
    told.clear();
    ReadHeaderValueTexts(lists.Path(), 1, {}, {}, settings.progress);
    EXPECT_EQ(told, AllCounts(3));
}

TEST_F(MakeReportTest, AStopBetweenListsEndsTheReadingAndLeavesNoDocument)
{
    fs::copy(TestData("reports/lists"), lists.Path());
    for (const bool report : {true, false}) {
        std::stop_source stop;
        Told told;
        const ListProgress progress = [&](std::uint64_t done, std::uint64_t total) {
            told.emplace_back(done, total);
            if (done == 1)
                stop.request_stop();
        };
        if (report) {
            DocumentSettings settings = Settings();
            settings.stop = stop.get_token();
            settings.progress = progress;
            const Result<fs::path> stopped = MakeReport(kMarch2026, lists.Path(), settings);
            EXPECT_EQ(stopped.error().file.reason, std::errc::operation_canceled)
                << test::FailureDetail(stopped);
        } else {
            const HeaderValueTexts found =
                ReadHeaderValueTexts(lists.Path(), 1, {}, stop.get_token(), progress);
            EXPECT_TRUE(found.unreadable.empty());
        }
        EXPECT_EQ(told, (Told{{0, 3}, {1, 3}})) << (report ? "report" : "header values");
    }
    EXPECT_EQ(ListFolder(output.Path()), "");
    EXPECT_TRUE(viewer.Shown().empty());
}

} // namespace
} // namespace zvk
