#include <optional>
#include <string>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "cli/document_arguments.h"
#include "reports/documents.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

// Reads the option or the list at `arguments[index]`, moving `index` past an option's
// value.
Result<> ReadNoteArgument(const Arguments& arguments, std::size_t& index,
                          const CommandContext& context, DocumentArguments& parsed,
                          std::optional<fs::path>& list)
{
    Result<bool> documentOption = ReadDocumentOption(arguments, index, context, parsed);
    if (!documentOption)
        return Unexpected(std::move(documentOption).error());
    if (*documentOption)
        return {};
    if (arguments[index].rfind("--", 0) == 0)
        return Fail(messages::UnknownOption("note", arguments[index]));
    if (list)
        return Fail(std::string(messages::kNoteTakesOneList));
    list = context.PathOf(arguments[index]);
    return {};
}

} // namespace

int RunNote(const Arguments& arguments, const CommandContext& context)
{
    DocumentArguments parsed;
    std::optional<fs::path> list;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const Result<> read = ReadNoteArgument(arguments, index, context, parsed, list);
        if (!read) {
            ReportFailure(context.err, read.error().detail);
            return kUsageError;
        }
    }
    if (!list) {
        ReportFailure(context.err, messages::NeedsArguments("note", "a data list"));
        return kUsageError;
    }
    if (const Result<> refused = RefuseNoDataList(*list); !refused) {
        ReportFailure(context.err, refused.error().detail);
        return kFailure;
    }
    const fs::path configFile = DocumentConfiguration(parsed, context);
    return FinishDocument(
        parsed, configFile,
        [&](const DocumentSettings& settings) { return MakeConsignmentNote(*list, settings); },
        context);
}

} // namespace zvk::cli
