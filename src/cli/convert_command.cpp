#include <filesystem>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "lists/semicolon_conversion.h"
#include "text/path_text.h"
#include "text/windows1250.h"

namespace zvk::cli {

int RunConvert(const Arguments& arguments, const CommandContext& context)
{
    if (arguments.empty()) {
        ReportFailure(context.err, messages::NeedsArguments("convert", "at least one data list"));
        return kUsageError;
    }
    // One conversion for all the lists, as in a reception: a list without a
    // header is read with the format version of the list before it.
    SemicolonConversion conversion;
    const std::stop_token& stop = context.stop;
    int status = kSuccess;
    for (const std::string& argument : arguments) {
        if (stop.stop_requested())
            return kFailure;
        const std::filesystem::path list = context.PathOf(argument);
        if (const Result<> refused = RefuseNoDataList(list); !refused) {
            ReportFailure(context.err, refused.error().detail);
            status = kFailure;
            continue;
        }
        const Result<std::filesystem::path> converted =
            conversion.ConvertListToSemicolonText(list, FileNameInWindows1250(list), stop);
        if (converted) {
            context.out << PathText(*converted) << '\n';
        } else if (!stop.stop_requested()) {
            ReportFailure(context.err, converted.error().detail);
            status = kFailure;
        }
    }
    return status;
}

} // namespace zvk::cli
