// The link soak: many receptions in a row from an emulated handheld that fails reads,
// takes its time, gets new lists while it is being received from, and whose reception is
// stopped or interrupted at random moments. After each one, every list the handheld ever
// held must be on the desktop byte for byte or still on the handheld, and nothing else may
// lie in either place. The schedule follows from the seed, which a failure prints.
//
//   zvk_link_soak [--receptions N] [--seed S] [--wire]
//
// With --wire the handheld is a device emulator on loopback, reached over the desktop's own
// network link, whose sessions also drop, stall and answer short at random calls.

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "device/emulated_program.h"
#include "soak_ledger.h"
#include "soak_reception.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk::soak {
namespace {

constexpr int kInitialLists = 8;

struct Options
{
    int receptions = 200;
    std::uint64_t seed = 0;
    bool overWire = false;
};

std::optional<Options> ParseOptions(int argc, char** argv)
{
    Options options;
    options.seed =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    if (argc > 1 && std::string_view(argv[argc - 1]) == "--wire") {
        options.overWire = true;
        --argc;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        char* end = nullptr;
        const unsigned long long value = std::strtoull(argv[i + 1], &end, 10);
        if (*end != '\0')
            return std::nullopt;
        if (option == "--receptions" && value > 0)
            options.receptions = static_cast<int>(value);
        else if (option == "--seed")
            options.seed = value;
        else
            return std::nullopt;
    }
    if (argc % 2 == 0)
        return std::nullopt;
    return options;
}

// The lists taken before the reception must be on the desktop and gone from the handheld
// when it reports success; a failure needs a fault or an interruption.
std::vector<std::string> OutcomeProblems(const ReceptionPlan& plan, Outcome outcome,
                                         const std::set<std::string>& before,
                                         const SoakLedger& ledger, const fs::path& desktop)
{
    std::vector<std::string> problems;
    if (outcome == Outcome::Failed && !plan.faulty)
        problems.push_back("the reception failed without a fault");
    if (outcome != Outcome::Succeeded)
        return problems;
    const std::set<std::string> after = ledger.StoreNames();
    for (const std::string& name : before) {
        if (after.contains(name))
            problems.push_back(name + " stayed on the handheld after a reception that succeeded");
        if (!fs::exists(desktop / name))
            problems.push_back(name + " is not on the desktop after a reception that succeeded");
    }
    return problems;
}

int Soak(const Options& options)
{
    std::cout << "link soak: " << options.receptions << " receptions"
              << (options.overWire ? " over the wire" : "") << ", seed " << options.seed
              << std::endl;
    const test::TempDir dir;
    const SoakFolders folders{dir.Path() / "handheld", dir.Path() / "prijate", dir.Path() / "work"};
    fs::create_directories(EmulatedListStore(folders.handheld));
    fs::create_directories(folders.work);
    // The children find the handheld by the environment and read no settings file: its
    // folder, or over the wire the link of each reception's device emulator.
    if (!options.overWire)
        setenv("ZVK_HANDHELD", folders.handheld.c_str(), 1);
    if (chdir(folders.work.c_str()) != 0)
        return EXIT_FAILURE;
    SoakLedger ledger(folders.handheld, folders.desktop);
    std::mt19937_64 random(options.seed);
    for (int i = 0; i < kInitialLists; ++i)
        ledger.Measure(random());
    const auto fail = [&](int reception, const std::string& what,
                          const std::vector<std::string>& problems) {
        std::cout << "link soak FAILED at reception " << reception << " (" << what << "):\n";
        for (const std::string& problem : problems)
            std::cout << "  " << problem << '\n';
        std::cout << "replay: zvk_link_soak --receptions " << options.receptions << " --seed "
                  << options.seed << (options.overWire ? " --wire" : "") << std::endl;
        return EXIT_FAILURE;
    };
    // Outcomes of the receptions in this process and of those of zvk children.
    int counts[2][3] = {};
    for (int reception = 1; reception <= options.receptions + 1; ++reception) {
        const bool last = reception > options.receptions;
        // Up to three lists measured since the last reception.
        for (int lists = std::uniform_int_distribution<int>(0, 3)(random); !last && lists > 0;
             --lists)
            ledger.Measure(random());
        ReceptionPlan plan =
            ReceptionPlan::Draw(random, ledger.StoreNames().size(), options.overWire);
        if (last) { // a calm reception at the end takes whatever the handheld still holds
            plan = ReceptionPlan{"[Emulator]\r\nExportDelayMs=0\r\n"};
            plan.overWire = options.overWire;
        }
        const std::set<std::string> before = ledger.StoreNames();
        const Result<Outcome> outcome = Receive(plan, folders, ledger);
        if (!outcome)
            return fail(reception, plan.Describe(), {outcome.error().detail});
        ++counts[plan.inProcess ? 0 : 1][static_cast<int>(*outcome)];
        std::vector<std::string> problems = ledger.Problems();
        const std::vector<std::string> wrong =
            OutcomeProblems(plan, *outcome, before, ledger, folders.desktop);
        problems.insert(problems.end(), wrong.begin(), wrong.end());
        if (last && !ledger.StoreNames().empty())
            problems.push_back("the handheld still holds lists after the calm reception");
        if (!problems.empty())
            return fail(reception, plan.Describe(), problems);
    }
    std::cout << "link soak passed: " << ledger.Count() << " lists";
    for (const auto& [kind, outcomes] :
         {std::pair{"transfer session", counts[0]}, std::pair{"zvk receive", counts[1]}})
        std::cout << "; " << kind << ": " << outcomes[0] << " succeeded, " << outcomes[1]
                  << " failed, " << outcomes[2] << " interrupted";
    std::cout << std::endl;
    return EXIT_SUCCESS;
}

} // namespace
} // namespace zvk::soak

int main(int argc, char** argv)
{
    const std::optional<zvk::soak::Options> options = zvk::soak::ParseOptions(argc, argv);
    if (!options) {
        std::cerr << "usage: zvk_link_soak [--receptions N] [--seed S] [--wire]\n";
        return 2;
    }
    return zvk::soak::Soak(*options);
}
