#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include "corpus_generator.h"
#include "reports/documents.h"

// zvk_bench_report [FOLDER]: times `zvk report` with the complete listing and the
// sorted summary over a generated corpus against three plain line-by-line reads
// of the same files (the report reads every list three times: filter, listing,
// summary), and compares the report's peak memory over a quarter of the corpus
// with that over all of it.

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

extern char** environ;

namespace {

constexpr int kRounds = 5;

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

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
    return Seconds(Clock::now() - start);
}

struct ReportRun
{
    double seconds = 0.0;
    long peakKilobytes = 0;
};

// `zvk report` as a process of its own, so that its peak memory is its own.
ReportRun RunReport(const fs::path& folder, const fs::path& output)
{
    std::vector<std::string> arguments = {
        ZVK_CLI_PATH, "report",   "--folder",   folder.string(), "--from",
        "01.01.2026", "--to",     "31.12.2026", "--output",      output.string(),
        "--listing",  "complete", "--sorted",   "--config",      ZVK_SAMPLE_CONFIGURATION};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    // The printed path of the document is not wanted here.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, ZVK_CLI_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return {-1.0, 0};
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    ReportRun run{Seconds(Clock::now() - start), usage.ru_maxrss};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        run.seconds = -1.0;
    return run;
}

} // namespace

int main(int argc, char* argv[])
{
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "zvk-bench";
    const fs::path quarter = root / "quarter";
    const fs::path full = root / "full";
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
    const std::vector<fs::path>& lists = found->paths;

    std::size_t bytes = 0;
    BaselineSeconds(lists, bytes); // brings the files into the page cache
    double baseline = 1e9;
    double report = 1e9;
    ReportRun quarterRun;
    ReportRun fullRun;
    for (int round = 0; round < kRounds; ++round) {
        baseline = std::min(baseline, BaselineSeconds(lists, bytes));
        fullRun = RunReport(full, root / "full.rtf");
        quarterRun = RunReport(quarter, root / "quarter.rtf");
        if (fullRun.seconds < 0 || quarterRun.seconds < 0) {
            std::cerr << "zvk report failed\n";
            return 1;
        }
        report = std::min(report, fullRun.seconds);
    }
    std::cout << lists.size() << " lists, " << items << " items, " << bytes / 3 << " bytes\n"
              << "three getline passes: " << baseline << " s\n"
              << "zvk report (complete listing, sorted summary): " << report << " s\n"
              << "ratio: " << report / baseline << "\n"
              << "peak memory of zvk report: " << quarterRun.peakKilobytes << " KiB over "
              << lists.size() / 4 << " lists, " << fullRun.peakKilobytes << " KiB over "
              << lists.size() << " lists\n";
    fs::remove_all(root);
    return 0;
}
