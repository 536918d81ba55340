#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "corpus_generator.h"
#include "report_process.h"
#include "reports/documents.h"

// zvk_bench_report [FOLDER]: times `zvk report` with the complete listing and the
// sorted summary over a generated corpus of 2,000 lists against three plain
// line-by-line reads of the same files (what the report once did: filter, listing,
// summary), in paired runs, and compares the report's peak memory over a quarter of
// the corpus with that over all of it. The reports keep their header index in a
// cache folder of the benchmark's own, current after a first report.

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kPairs = 15;
const std::vector<std::string> kWholeYear = {"--from",    "01.01.2026", "--to",    "31.12.2026",
                                             "--listing", "complete",   "--sorted"};

// Three passes over every list with nothing but std::getline.
double BaselineSeconds(const std::vector<fs::path>& lists, std::size_t& bytes)
{
    const auto start = Clock::now();
    bytes = 0;
    for (int pass = 0; pass < 3; ++pass) {
        for (const fs::path& list : lists) {
            std::ifstream in(list, std::ios::binary);
            for (std::string line; std::getline(in, line);)
                bytes += line.size();
        }
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char* argv[])
{
    using zvk::bench::RunReport;
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "zvk-bench";
    const fs::path quarter = root / "quarter";
    const fs::path full = root / "full";
    zvk::bench::UseCacheFolderIn(root);
    zvk::bench::CorpusShape shape;
    const long items = zvk::bench::GenerateCorpus(full, shape);
    shape.lists /= 4;
    zvk::bench::GenerateCorpus(quarter, shape);
    const zvk::Result<zvk::FolderLists> found = zvk::ReportListsIn(full);
    if (!found) {
        std::cerr << "cannot read the corpus " << full << ": "
                  << found.error().file.reason.message() << '\n';
        return 1;
    }
    std::vector<fs::path> lists;
    for (std::size_t list = 0; list < found->names.size(); ++list)
        lists.push_back(found->PathOf(list));

    // The index keeps lists that have not changed for two seconds; a first report of
    // each folder makes it current, and brings the files into the page cache.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    std::size_t bytes = 0;
    BaselineSeconds(lists, bytes);
    zvk::bench::ReportRun fullRun = RunReport(ZVK_CLI_PATH, full, root / "full.rtf", kWholeYear);
    zvk::bench::ReportRun quarterRun =
        RunReport(ZVK_CLI_PATH, quarter, root / "quarter.rtf", kWholeYear);
    std::vector<double> baselines;
    std::vector<double> reports;
    std::vector<double> ratios;
    for (int pair = 0; pair < kPairs; ++pair) {
        baselines.push_back(BaselineSeconds(lists, bytes));
        fullRun = RunReport(ZVK_CLI_PATH, full, root / "full.rtf", kWholeYear);
        quarterRun = RunReport(ZVK_CLI_PATH, quarter, root / "quarter.rtf", kWholeYear);
        if (fullRun.seconds < 0 || quarterRun.seconds < 0) {
            std::cerr << "zvk report failed\n";
            return 1;
        }
        reports.push_back(fullRun.seconds);
        ratios.push_back(fullRun.seconds / baselines.back());
    }
    std::cout << lists.size() << " lists, " << items << " items, " << bytes / 3 << " bytes\n"
              << "three getline passes: " << zvk::bench::Median(baselines) << " s (median of "
              << kPairs << ")\n"
              << "zvk report (complete listing, sorted summary): " << zvk::bench::Median(reports)
              << " s\n"
              << "ratio: " << zvk::bench::Median(ratios) << " (median of the pairs)\n"
              << "peak memory of zvk report: " << quarterRun.peakKilobytes << " KiB over "
              << lists.size() / 4 << " lists, " << fullRun.peakKilobytes << " KiB over "
              << lists.size() << " lists\n";
    fs::remove_all(root);
    return 0;
}
