#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "link/surprise_capture.h"
#include "support/temp_dir.h"

namespace zvk {
namespace {

namespace fs = std::filesystem;

// Captures pile up over the years of a desktop: the newest few dozen stay, each whole.
TEST(SurpriseCaptureTest, KeepsTheNewestFewDozenAndDropsTheOldest)
{
    test::TempDir cache;
    const SurpriseCapture captures(cache.Path());
    EXPECT_EQ(captures.Folder(), cache.Path() / "link-captures");
    for (std::size_t i = 0; i <= kKeptCaptures; ++i)
        captures.Keep({"CeReadFile", "q", "r", "capture " + std::to_string(i)});

    std::string seen;
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(captures.Folder())) {
        ++files;
        seen += test::ReadBytes(entry.path());
    }
    EXPECT_EQ(files, kKeptCaptures);
    EXPECT_EQ(seen.find("refused: capture 0\n"), std::string::npos);
    EXPECT_NE(seen.find("refused: capture 1\n"), std::string::npos);
    EXPECT_NE(seen.find("refused: capture " + std::to_string(kKeptCaptures) + "\n"),
              std::string::npos);
}

TEST(SurpriseCaptureTest, ALongPayloadShowsItsStartAndHowMuchIsLeftOut)
{
    test::TempDir cache;
    const SurpriseCapture captures(cache.Path());
    captures.Keep({"CeFindAllFiles", "\x1a", std::string(kShownPayloadBytes + 5, 'r'), "why"});
    const fs::directory_iterator first(captures.Folder());
    ASSERT_NE(first, fs::directory_iterator());
    const std::string dump = test::ReadBytes(first->path());
    EXPECT_NE(dump.find("00000000  1a" + std::string(47, ' ') + ".\n"), std::string::npos)
        << dump.substr(0, 400);
    EXPECT_NE(dump.find("Reply payload, 65541 bytes:\n"), std::string::npos);
    EXPECT_NE(dump.find("0000fff0  72 72"), std::string::npos);
    EXPECT_EQ(dump.find("00010000"), std::string::npos);
    EXPECT_NE(dump.find("(the last 5 bytes are not shown)"), std::string::npos);
}

// Without a cache folder, or with one that cannot hold a folder, nothing is kept and
// the call goes on as it would have.
TEST(SurpriseCaptureTest, NoUsableCacheFolderKeepsNothing)
{
    test::TempDir cache;
    SurpriseCapture(fs::path()).Keep({"CeReadFile", "q", "r", "why"});
    const fs::path notAFolder = cache.Write("cache", "a file");
    SurpriseCapture(notAFolder).Keep({"CeReadFile", "q", "r", "why"});
    EXPECT_EQ(test::ListFolder(cache.Path()), "cache");
    EXPECT_EQ(test::ReadBytes(notAFolder), "a file");
}

} // namespace
} // namespace zvk
