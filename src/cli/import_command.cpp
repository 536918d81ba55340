#include <filesystem>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "lists/text_import.h"
#include "text/path_text.h"

namespace zvk::cli {

int RunImport(const Arguments& arguments, const CommandContext& context)
{
    if (arguments.empty()) {
        ReportFailure(context.err,
                      messages::NeedsArguments("import", "at least one measurement text"));
        return kUsageError;
    }
    const std::stop_token& stop = context.stop;
    int status = kSuccess;
    for (const std::string& argument : arguments) {
        if (stop.stop_requested())
            return kFailure;
        const Result<ImportedList> imported = ImportMeasurementText(context.PathOf(argument));
        if (imported) {
            // A measurement text holds no date, so the list made of it has no date record.
            ReportFailure(context.err, messages::DateInDoubt({PathText(imported->list.filename()),
                                                              DateDoubt::NoDateRecord, true}));
            context.out << PathText(imported->list) << '\n';
            if (imported->kept)
                ReportFailure(context.err,
                              messages::EarlierListKept(PathText(imported->list.filename()),
                                                        PathText(imported->kept->keptAs)));
        } else {
            ReportFailure(context.err, imported.error().detail);
            status = kFailure;
        }
    }
    return status;
}

} // namespace zvk::cli
