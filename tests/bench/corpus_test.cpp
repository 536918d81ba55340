#include <cstdlib>
#include <string>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include "corpus_generator.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk::bench {
namespace {

using test::ReadBytes;
using test::TempDir;

// Runs the corpus tool as a user does, its standard error into a file.
int RunCorpusTool(const std::string& arguments, const fs::path& errors)
{
    const std::string command = std::string(ZVK_BENCH_CORPUS_PATH) + " " + arguments +
                                " >/dev/null 2>'" + errors.string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CorpusToolTest, ACorpusTooLargeForTheDiskIsRefusedBeforeAnythingIsWritten)
{
    TempDir dir;
    const fs::path errors = dir.Path() / "errors.txt";
    EXPECT_EQ(RunCorpusTool("'" + (dir.Path() / "huge").string() + "' 2000 300000000", errors), 1);
    EXPECT_NE(ReadBytes(errors).find("MB free"), std::string::npos) << ReadBytes(errors);
    EXPECT_FALSE(fs::exists(dir.Path() / "huge"));
    EXPECT_EQ(RunCorpusTool("'" + (dir.Path() / "x").string() + "' 20 many", errors), 2);
    EXPECT_EQ(RunCorpusTool("'" + (dir.Path() / "x").string() + "' -5", errors), 2);
    EXPECT_FALSE(fs::exists(dir.Path() / "x"));
}

TEST(CorpusToolTest, WritesWhatItSaysWithProgressAndWithinItsEstimate)
{
    TempDir dir;
    const fs::path errors = dir.Path() / "errors.txt";
    const fs::path corpus = dir.Path() / "corpus";
    EXPECT_EQ(RunCorpusTool("'" + corpus.string() + "' 3 400", errors), 0);
    EXPECT_NE(ReadBytes(errors).find("3 of 3 lists written"), std::string::npos);
    std::uintmax_t bytes = 0;
    int lists = 0;
    for (const auto& list : fs::directory_iterator(corpus)) {
        bytes += fs::file_size(list);
        ++lists;
    }
    EXPECT_EQ(lists, 3);
    EXPECT_LE(bytes, CorpusBytesAtMost({3, 400, 1}));
    EXPECT_GT(bytes, CorpusBytesAtMost({3, 400, 1}) * 3 / 4);
}

} // namespace
} // namespace zvk::bench
