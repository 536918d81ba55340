#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "corpus_generator.h"
#include "reports/documents.h"
#include "reports/header_index.h"
#include "reports/header_value_texts.h"
#include "support/temp_dir.h"
#include "support/unreadable_file.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ReadBytes;
using test::TempDir;

// Replaces `from` by `to` (of the same length) in the file, in place: the list keeps
// its name, its size and its identity.
void ChangeInPlace(const fs::path& list, const std::string& from, const std::string& to)
{
    ASSERT_EQ(from.size(), to.size());
    std::string bytes = ReadBytes(list);
    const std::size_t at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    bytes.replace(at, from.size(), to);
    std::fstream file(list, std::ios::binary | std::ios::in | std::ios::out);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good());
}

ReportSelection Selection(CalendarDate from, CalendarDate to, std::vector<CriteriaRow> rows = {})
{
    return {from, to, std::move(rows)};
}

// Reports and value combos through a header index against the same without one, over
// a folder whose lists are added, changed, removed and made unreadable between them.
class HeaderIndexTest : public ::testing::Test
{
protected:
    // What a report makes: the document's bytes and the lists of doubtful dates it told,
    // or the file it failed on.
    std::string Report(const ReportSelection& selection, const fs::path& indexFolder)
    {
        std::string doubtful;
        const DocumentSettings settings{{},
                                        test::SampleConfiguration(),
                                        {output.Path() / "report.rtf", {}},
                                        nullptr,
                                        {},
                                        {},
                                        indexFolder,
                                        [&](const DoubtfulDate& list) {
                                            doubtful +=
                                                list.list + ' ' +
                                                std::to_string(static_cast<int>(list.doubt)) +
                                                (list.inDocument ? " in\n" : " out\n");
                                        }};
        const Result<fs::path> made = MakeReport(selection, lists.Path(), settings);
        return made ? ReadBytes(*made) + doubtful : "failed on " + made.error().file.file.string();
    }

    // Every selection and every offered value alike with and without the index.
    void ExpectTheSameWithTheIndex()
    {
        const std::vector<ReportSelection> selections = {
            Selection({1, 3, 2026}, {31, 3, 2026}),
            Selection({1, 1, 2026}, {31, 12, 2026}, {{1, "", "LS 3                "}}),
            Selection({1, 6, 2026}, {31, 12, 2026}, {{2, "", "Hodnota 2           "}}),
        };
        for (std::size_t i = 0; i < selections.size(); ++i) // documents too long to show
            EXPECT_TRUE(Report(selections[i], cache.Path()) == Report(selections[i], {}))
                << "selection " << i;
        for (const int value : {1, 2, 3}) {
            const HeaderValueTexts indexed =
                ReadHeaderValueTexts(lists.Path(), value, cache.Path());
            const HeaderValueTexts read = ReadHeaderValueTexts(lists.Path(), value);
            EXPECT_EQ(indexed.texts, read.texts) << "value " << value;
            EXPECT_EQ(indexed.unreadable.size(), read.unreadable.size()) << "value " << value;
        }
    }

    TempDir lists;
    TempDir cache;
    TempDir output;
};

TEST_F(HeaderIndexTest, ReportsThroughTheIndexAreThoseWithoutIt)
{
    bench::GenerateCorpus(lists.Path(), {80, 6, 7});
    // Lists whose dates do not decide are told alike from the index and from their bytes.
    std::ofstream(lists.Path() / "LIST0001B.DAT", std::ios::binary) << "0A31.02.26\r\n";
    std::ofstream(lists.Path() / "LIST0001C.DAT", std::ios::binary) << "0A00.00.00\r\n";
    std::ofstream(lists.Path() / "LIST0001D.DAT", std::ios::binary) << "0BLS 3\r\n";
    EXPECT_EQ(Report(Selection({1, 1, 2026}, {31, 12, 2026}), {})
                  .ends_with("LIST0001B.DAT 1 in\nLIST0001C.DAT 1 out\nLIST0001D.DAT 0 in\n"),
              true);
    // The index keeps only lists that have not changed for two seconds.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    ExpectTheSameWithTheIndex(); // the index is built
    ASSERT_EQ(std::distance(fs::directory_iterator(cache.Path()), {}), 1);
    ExpectTheSameWithTheIndex(); // and read
    // Reports over a folder where nothing changed leave the index file untouched: over a
    // large archive it is megabytes.
    const fs::path indexFile = fs::directory_iterator(cache.Path())->path();
    const fs::file_time_type before = fs::last_write_time(indexFile) - std::chrono::hours(1);
    fs::last_write_time(indexFile, before);
    ExpectTheSameWithTheIndex();
    EXPECT_EQ(fs::last_write_time(indexFile), before) << "the index was written again";

    fs::copy_file(lists.Path() / "LIST0003.DAT", lists.Path() / "LIST0003A.DAT");
    // A new list whose new value sorts between values the index holds already.
    fs::copy_file(lists.Path() / "LIST0005.DAT", lists.Path() / "LIST0004A.DAT");
    ChangeInPlace(lists.Path() / "LIST0004A.DAT", "Hodnota 5 ", "Hodnota 25");
    ChangeInPlace(lists.Path() / "LIST0004.DAT", "Hodnota 4 ", "Hodnota 2 ");
    // Edited in place with its modification time set back: only its status time tells.
    const fs::file_time_type written = fs::last_write_time(lists.Path() / "LIST0005.DAT");
    ChangeInPlace(lists.Path() / "LIST0005.DAT", "Hodnota 5 ", "Hodnota 2 ");
    fs::last_write_time(lists.Path() / "LIST0005.DAT", written);
    const std::string march = ".03.26LS";
    ChangeInPlace(lists.Path() / "LIST0006.DAT", "0A", "0A"); // rewritten, unchanged
    fs::remove(lists.Path() / "LIST0007.DAT");
    for (const char* name : {"LIST0008.DAT", "LIST0009.DAT"}) {
        const std::string bytes = ReadBytes(lists.Path() / name);
        const std::size_t at = bytes.find("\n0A") + 5; // the date's ".mm.yy"
        ChangeInPlace(lists.Path() / name, bytes.substr(at, march.size()), march);
    }
    ExpectTheSameWithTheIndex();

    fs::remove(lists.Path() / "LIST0010.DAT");
    {
        const test::UnreadableFile unreadable(lists.Path() / "LIST0010.DAT");
        ExpectTheSameWithTheIndex();
        EXPECT_EQ(Report(Selection({1, 3, 2026}, {31, 3, 2026}), cache.Path()),
                  "failed on " + (lists.Path() / "LIST0010.DAT").string());
    }
    ExpectTheSameWithTheIndex();

    // A damaged index is built anew.
    for (const fs::directory_entry& index : fs::directory_iterator(cache.Path())) {
        std::string bytes = ReadBytes(index.path());
        bytes[bytes.size() / 2] ^= 0x20;
        std::ofstream(index.path(), std::ios::binary) << bytes;
    }
    ExpectTheSameWithTheIndex();
}

// The index's file holds what was read, for its folder only, and nothing that a
// damaged or foreign file says.
TEST(HeaderIndexFileTest, KeepsTheHeadersOfItsFolderAndTrustsNothingElse)
{
    TempDir folder;
    const FolderLists lists{folder.Path(), {"A.DAT", "B.DAT"}};
    HeaderIndex index(lists);
    ListHeader header{true, 20260301, 20260302, {}, true};
    header.values.push_back({3, true, index.Texts().NumberOf("Brezno              ")});
    const FileStamp stamp{1, 2, 3, 4, 5};
    index.Remember(1, stamp, header);
    const std::string bytes = index.Serialized();

    const HeaderIndex read = HeaderIndex::Deserialized(bytes, lists);
    EXPECT_EQ(read.KeptHeader(0, stamp), nullptr);
    ASSERT_NE(read.KeptHeader(1, stamp), nullptr);
    EXPECT_EQ(read.KeptHeader(1, {1, 2, 3, 4, 6}), nullptr) << "another stamp";
    const ListHeader& kept = *read.KeptHeader(1, stamp);
    EXPECT_EQ(kept.lastDate, 20260302);
    EXPECT_TRUE(kept.impossibleDate);
    ASSERT_EQ(kept.values.size(), 1u);
    EXPECT_EQ(read.Texts().Text(kept.values[0].text), "Brezno              ");
    // Found by its name among the folder's lists now.
    const FolderLists fewer{folder.Path(), {"B.DAT"}};
    EXPECT_NE(HeaderIndex::Deserialized(bytes, fewer).KeptHeader(0, stamp), nullptr);

    const std::vector<std::string> untrusted = {
        "",
        bytes.substr(0, bytes.size() - 1),
        bytes + "x",
        std::string(bytes.size(), '\0'),
    };
    for (const std::string& damaged : untrusted)
        EXPECT_EQ(HeaderIndex::Deserialized(damaged, lists).KeptHeader(1, stamp), nullptr)
            << damaged.size() << " bytes";
    // Whichever single byte is damaged, the index is not trusted.
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string damaged = bytes;
        damaged[at] ^= 0x01;
        EXPECT_EQ(HeaderIndex::Deserialized(damaged, lists).KeptHeader(1, stamp), nullptr)
            << "byte " << at << " of " << bytes.size();
    }
    const FolderLists elsewhere{folder.Path() / "elsewhere", lists.names};
    EXPECT_EQ(HeaderIndex::Deserialized(bytes, elsewhere).KeptHeader(1, stamp), nullptr)
        << "another folder";
}

} // namespace
} // namespace zvk
