#include "cli_run.h"

#include <sstream>

#include <optional>
#include <string>

#include "device/handheld_selection.h"
#include "support/manual_clock.h"
#include "support/wire_handheld.h"
#include "system/environment_path.h"

namespace fs = std::filesystem;

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
    // stand-in for zvk's main reads as main does. Over the wire, a device emulator serves
    // that folder and zvk reaches it over its own link, named as ZVK_LINK names it.
    fs::path handheld = EnvironmentPath("ZVK_HANDHELD");
    std::optional<test::WireHandheld> wire;
    std::string link;
    if (test::OverTheWire() && !handheld.empty() &&
        PrepareHandheldFolder(handheld, ZVK_SAMPLE_DIR)) {
        link = NamedLinkText(wire.emplace(handheld, clock).Link());
        handheld.clear();
    }
    const CommandContext context{
        out, err, false, clock, {}, workingFolder, ZVK_SAMPLE_DIR, cacheFolder, handheld, link};
    clock.RunAdvancing(test::ManualClock::Work::WaitsForActivities,
                       [&] { status = RunCommandLine(arguments, context); });
    return {status, out.str(), err.str()};
}

} // namespace zvk::cli
