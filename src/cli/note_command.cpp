#include <optional>
#include <string>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "cli/document_arguments.h"
#include "config/desktop_settings.h"
#include "reports/documents.h"

namespace fs = std::filesystem;

namespace zvk::cli {

int RunNote(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    DocumentArguments parsed;
    std::optional<fs::path> list;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        std::string error;
        if (ReadDocumentOption(arguments, index, parsed, error) && error.empty())
            continue;
        if (error.empty() && arguments[index].rfind("--", 0) == 0)
            error = messages::UnknownOption("note", arguments[index]);
        else if (error.empty() && list)
            error = messages::kNoteTakesOneList;
        if (!error.empty()) {
            ReportFailure(err, error);
            return kUsageError;
        }
        list = arguments[index];
    }
    if (!list) {
        ReportFailure(err, messages::NeedsArguments("note", "a data list"));
        return kUsageError;
    }
    const fs::path configFile =
        parsed.configFile.value_or(DesktopSettings::InWorkingDirectory().ConfigurationPath());
    return FinishDocument(
        parsed, configFile,
        [&](const DocumentSettings& settings) { return MakeConsignmentNote(*list, settings); }, out,
        err);
}

} // namespace zvk::cli
