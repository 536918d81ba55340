#include <filesystem>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "cli/stop_signals.h"
#include "lists/text_import.h"
#include "platform/path_text.h"

namespace zvk::cli {

int RunImport(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty()) {
        ReportFailure(err, messages::NeedsArguments("import", "at least one measurement text"));
        return kUsageError;
    }
    const std::stop_token stop = CommandStopToken();
    int status = kSuccess;
    for (const std::string& argument : arguments) {
        if (stop.stop_requested())
            return kFailure;
        const Result<std::filesystem::path> imported =
            ImportMeasurementText(PathFromText(argument));
        if (imported) {
            out << PathText(*imported) << '\n';
        } else {
            ReportFailure(err, imported.error().detail);
            status = kFailure;
        }
    }
    return status;
}

} // namespace zvk::cli
