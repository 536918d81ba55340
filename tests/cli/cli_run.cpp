#include "cli_run.h"

#include <sstream>

#include "cli/transfer_clock.h"
#include "support/manual_clock.h"

namespace zvk::cli {

CliRun Zvk(const Arguments& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    int status = 0;
    // A transfer's watchdog, export poll and handheld delays take no real time.
    test::ManualClock clock;
    SetTransferClock(&clock);
    clock.RunAdvancing([&] { status = RunCommandLine(arguments, out, err); });
    SetTransferClock(nullptr);
    return {status, out.str(), err.str()};
}

} // namespace zvk::cli
