#include <filesystem>

#include "cli/command_line.h"
#include "cli/stop_signals.h"
#include "lists/text_import.h"

namespace zvk::cli {

int RunImport(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty()) {
        ReportFailure(err, "import needs at least one measurement text (see 'zvk import --help')");
        return kUsageError;
    }
    const std::stop_token stop = CommandStopToken();
    int status = kSuccess;
    for (const std::string& argument : arguments) {
        if (stop.stop_requested())
            return kFailure;
        const WriteOutcome outcome = ImportMeasurementText(argument);
        if (outcome.Succeeded()) {
            out << outcome.output.string() << '\n';
        } else {
            ReportFailure(err, outcome.error);
            status = kFailure;
        }
    }
    return status;
}

} // namespace zvk::cli
