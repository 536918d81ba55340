#include "cli_run.h"

#include <sstream>

#include "support/manual_clock.h"
#include "system/environment_path.h"

namespace zvk::cli {

CliRun Zvk(const Arguments& arguments, const std::filesystem::path& workingFolder,
           const std::filesystem::path& cacheFolder)
{
    std::ostringstream out;
    std::ostringstream err;
    int status = 0;
    // A transfer's watchdog, export poll and handheld delays take no real time.
    test::ManualClock clock;
    // The tests name their emulated handheld as a user does, in ZVK_HANDHELD, which this
    // stand-in for zvk's main reads as main does.
    const CommandContext context{out,
                                 err,
                                 false,
                                 clock,
                                 {},
                                 workingFolder,
                                 ZVK_SAMPLE_DIR,
                                 cacheFolder,
                                 EnvironmentPath("ZVK_HANDHELD")};
    clock.RunAdvancing(test::ManualClock::Work::WaitsForActivities,
                       [&] { status = RunCommandLine(arguments, context); });
    return {status, out.str(), err.str()};
}

} // namespace zvk::cli
