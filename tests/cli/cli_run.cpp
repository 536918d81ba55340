#include "cli_run.h"

#include <sstream>

#include "support/manual_clock.h"

namespace zvk::cli {

CliRun Zvk(const Arguments& arguments, const std::filesystem::path& workingFolder,
           const std::filesystem::path& cacheFolder)
{
    std::ostringstream out;
    std::ostringstream err;
    int status = 0;
    // A transfer's watchdog, export poll and handheld delays take no real time.
    test::ManualClock clock;
    const CommandContext context{out, err,           false,          clock,
                                 {},  workingFolder, ZVK_SAMPLE_DIR, cacheFolder};
    clock.RunAdvancing(test::ManualClock::Work::WaitsForActivities,
                       [&] { status = RunCommandLine(arguments, context); });
    return {status, out.str(), err.str()};
}

} // namespace zvk::cli
