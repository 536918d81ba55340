#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "report_process.h"
#include "reports/header_value_texts.h"

// zvk_bench_archive CORPUS [OTHER_ZVK]: a report of one month over a large receive
// folder (a ten-year archive: `zvk_bench_corpus CORPUS 50000 45` makes one), timed as
// the user meets it: the first report over a folder never seen (its header index is
// built), later ones with a current index and the files in the system's cache, and
// the same right after the system's cache is dropped (only for the superuser); then
// the reading of a value combo's texts through the index. OTHER_ZVK, another build of
// zvk, is timed beside it on the same reports.

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using zvk::bench::Median;
using zvk::bench::RunReport;

namespace {

constexpr int kRuns = 15;
constexpr int kColdRuns = 3;
const std::vector<std::string> kOneMonth = {"--from",    "01.03.2026", "--to",    "31.03.2026",
                                            "--listing", "complete",   "--sorted"};

// Whether the system's page cache could be dropped: the files are then read from the disk.
bool DropSystemCache()
{
    sync();
    std::ofstream drop("/proc/sys/vm/drop_caches");
    drop << "3\n";
    drop.flush();
    return drop.good();
}

// Median seconds of `runs` one-month reports by `zvk`, each after `before`; below 0
// when one failed.
template <class Before>
double ReportSeconds(const fs::path& zvk, const fs::path& corpus, const fs::path& output, int runs,
                     Before before)
{
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        before();
        const zvk::bench::ReportRun report = RunReport(zvk, corpus, output, kOneMonth);
        if (report.seconds < 0)
            return -1.0;
        seconds.push_back(report.seconds);
    }
    return Median(seconds);
}

void Say(const std::string& what, double seconds)
{
    if (seconds < 0)
        std::cout << what << ": the report failed\n";
    else
        std::cout << what << ": " << seconds << " s\n";
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: zvk_bench_archive CORPUS [OTHER_ZVK]\n"
                     "  (zvk_bench_corpus CORPUS 50000 45 makes a ten-year archive)\n";
        return 2;
    }
    const fs::path corpus = argv[1];
    const fs::path root =
        fs::temp_directory_path() / ("zvk-bench-archive-" + std::to_string(getpid()));
    const fs::path cache = zvk::bench::UseCacheFolderIn(root);
    const fs::path output = root / "month.rtf";
    const auto nothing = [] {};
    const auto forgetIndex = [&] {
        fs::remove_all(cache);
        fs::create_directories(cache);
    };

    // The files into the page cache, then the folder never seen, then the index at hand.
    if (ReportSeconds(ZVK_CLI_PATH, corpus, output, 1, nothing) < 0) {
        std::cerr << "zvk report failed over " << corpus << '\n';
        return 1;
    }
    Say("first report over a folder never seen (index built)",
        ReportSeconds(ZVK_CLI_PATH, corpus, output, 5, forgetIndex));
    ReportSeconds(ZVK_CLI_PATH, corpus, output, 1, nothing);
    Say("report with a current index, files cached",
        ReportSeconds(ZVK_CLI_PATH, corpus, output, kRuns, nothing));

    std::vector<double> combo;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        const zvk::HeaderValueTexts texts = zvk::ReadHeaderValueTexts(corpus, 1, cache / "zvk-pc");
        combo.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        if (texts.texts.empty())
            std::cerr << "no texts offered for value 1\n";
    }
    Say("the texts of a value combo through a current index", Median(combo));

    const bool canDrop = DropSystemCache();
    if (canDrop)
        Say("report with a current index right after the system's cache is dropped",
            ReportSeconds(ZVK_CLI_PATH, corpus, output, kColdRuns, DropSystemCache));
    else
        std::cout << "the system's cache cannot be dropped here (not the superuser): "
                     "no figure after a restart\n";

    if (argc == 3) {
        const fs::path other = argv[2];
        ReportSeconds(other, corpus, output, 1, nothing);
        Say(other.string() + ", files cached", ReportSeconds(other, corpus, output, 5, nothing));
        if (canDrop)
            Say(other.string() + ", right after the system's cache is dropped",
                ReportSeconds(other, corpus, output, kColdRuns, DropSystemCache));
    }
    fs::remove_all(root);
    return 0;
}
