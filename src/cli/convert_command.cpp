#include <filesystem>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "cli/stop_signals.h"
#include "lists/semicolon_conversion.h"
#include "platform/path_text.h"
#include "platform/windows1250.h"

namespace zvk::cli {

int RunConvert(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty()) {
        ReportFailure(err, messages::NeedsArguments("convert", "at least one data list"));
        return kUsageError;
    }
    // One conversion for all the lists, as in a reception: a list without a
    // header is read with the format version of the list before it.
    SemicolonConversion conversion;
    const std::stop_token stop = CommandStopToken();
    int status = kSuccess;
    for (const std::string& argument : arguments) {
        if (stop.stop_requested())
            return kFailure;
        const std::filesystem::path list = PathFromText(argument);
        const Result<std::filesystem::path> converted =
            conversion.ConvertListToSemicolonText(list, FileNameInWindows1250(list), stop);
        if (converted) {
            out << PathText(*converted) << '\n';
        } else if (!stop.stop_requested()) {
            ReportFailure(err, converted.error().detail);
            status = kFailure;
        }
    }
    return status;
}

} // namespace zvk::cli
