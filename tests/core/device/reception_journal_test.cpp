#include "device/reception_journal.h"

#include <string>

#include <gtest/gtest.h>

#include "support/succeeded.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

using test::ReadBytes;
using test::Succeeded;
using test::TempDir;

const std::string kDigest(64, 'a');

// Entries come back as they went in, names with tabs, line breaks and backslashes too;
// the file starts with a line that says what its columns are.
TEST(ReceptionJournalTest, EntriesComeBackAsWritten)
{
    TempDir folder;
    const JournalEntry plain{
        "2026-12-08 15:35:02", "LIST0001.DAT", "LIST0001.DAT", 1234, kDigest, true, ""};
    const JournalEntry odd{"2026-12-08 15:35:03",
                           "A\tB\\C.DAT",
                           "A\tB\\C\r\n.DAT",
                           0,
                           std::string(64, '0'),
                           false,
                           "/data/nahradené/A.20261208-153503.DAT"};
    ASSERT_TRUE(Succeeded(AppendToJournal(folder.Path(), plain)));
    ASSERT_TRUE(Succeeded(AppendToJournal(folder.Path(), odd)));
    const Result<JournalReading> journal = ReadJournal(folder.Path());
    ASSERT_TRUE(Succeeded(journal));
    EXPECT_EQ(journal->entries, (std::vector<JournalEntry>{plain, odd}));
    EXPECT_TRUE(journal->damagedLines.empty());
    const std::string bytes = ReadBytes(folder.Path() / "prijmy.log");
    EXPECT_EQ(bytes.substr(0, 2), "# ");
    EXPECT_NE(bytes.find("\t1234\t" + kDigest + "\tyes\t-\n"), std::string::npos) << bytes;
}

// A line that is no entry is named by its number and skipped; an entry after a line that
// was cut starts a line of its own.
TEST(ReceptionJournalTest, DamagedLinesAreNamedAndSkipped)
{
    TempDir folder;
    const JournalEntry entry{"2026-12-08 15:35:02", "L.DAT", "L.DAT", 7, kDigest, false, ""};
    const std::string good = JournalLine(entry);
    const std::string lines[] = {
        "2026-12-08\tL.DAT\tL.DAT\t7\t" + kDigest + "\tno\n",              // a field short
        "2026-12-08\tL.DAT\tL.DAT\tseven\t" + kDigest + "\tno\t-\n",       // no size
        "2026-12-08\tL.DAT\tL.DAT\t7\t" + kDigest.substr(1) + "\tno\t-\n", // no digest
        "2026-12-08\tL.DAT\tL.DAT\t7\t" + kDigest + "\tmaybe\t-\n",        // no text flag
        "2026-12-08\tL.DAT\t\t7\t" + kDigest + "\tno\t-\n",                // no desktop name
        "2026-12-08\tL\\x.DAT\tL.DAT\t7\t" + kDigest + "\tno\t-\n",        // a stray backslash
    };
    std::string bytes = "# heading\n" + good;
    for (const std::string& line : lines)
        bytes += line;
    bytes += good.substr(0, 20); // cut
    folder.Write("prijmy.log", bytes);
    ASSERT_TRUE(Succeeded(AppendToJournal(folder.Path(), entry)));
    const Result<JournalReading> journal = ReadJournal(folder.Path());
    ASSERT_TRUE(Succeeded(journal));
    EXPECT_EQ(journal->entries, (std::vector<JournalEntry>{entry, entry}));
    EXPECT_EQ(journal->damagedLines, (std::vector<std::size_t>{3, 4, 5, 6, 7, 8, 9}));
}

} // namespace
} // namespace zvk
