#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "cli/document_arguments.h"
#include "config/desktop_settings.h"
#include "reports/documents.h"
#include "reports/report_session.h"
#include "system/local_time.h"
#include "text/windows1250.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

// A "--where" row as typed: the header value's number and, after "=", its text.
struct WhereRow
{
    int valueNumber = 0;
    std::optional<std::string> text;
};

struct ReportArguments
{
    DocumentArguments document;
    std::optional<fs::path> folder;
    CalendarDate from;
    CalendarDate to;
    std::vector<WhereRow> rows;
};

Result<WhereRow> ReadWhere(const std::string& value)
{
    const std::size_t equals = value.find('=');
    const std::string number = value.substr(0, equals);
    WhereRow row;
    const auto [end, failure] =
        std::from_chars(number.data(), number.data() + number.size(), row.valueNumber);
    if (failure != std::errc() || end != number.data() + number.size() || row.valueNumber < 1 ||
        row.valueNumber > kHeaderValueCount)
        return Fail(messages::NotAHeaderValueNumber(number));
    if (equals != std::string::npos) {
        // The lists hold their header values in Windows-1250, padded to 20 bytes.
        const std::string_view typed = std::string_view(value).substr(equals + 1);
        if (!Utf8FitsWindows1250(typed))
            return Fail(messages::NotWindows1250(number, typed));
        std::string text = Utf8ToWindows1250(typed);
        if (text.size() > kHeaderValueWidth)
            return Fail(messages::HeaderValueTooLong(number));
        text.resize(kHeaderValueWidth, ' ');
        row.text = std::move(text);
    }
    return row;
}

Result<> ReadReportOption(const Arguments& arguments, std::size_t& index,
                          const CommandContext& context, ReportArguments& parsed)
{
    const std::string& option = arguments[index];
    Result<bool> documentOption = ReadDocumentOption(arguments, index, context, parsed.document);
    if (!documentOption)
        return Unexpected(std::move(documentOption).error());
    if (*documentOption)
        return {};
    if (option != "--folder" && option != "--from" && option != "--to" && option != "--where")
        return Fail(messages::UnknownOption("report", option));
    if (index + 1 >= arguments.size())
        return Fail(messages::NeedsValue(option));
    const std::string& value = arguments[++index];
    if (option == "--folder") {
        const fs::path folder = context.PathOf(value);
        if (const std::optional<std::string> why = NotOfKind(folder, PathKind::Folder))
            return Fail(messages::NotWhatTheOptionNames(option, folder, *why));
        parsed.folder = folder;
    } else if (option == "--where") {
        Result<WhereRow> row = ReadWhere(value);
        if (!row)
            return Unexpected(std::move(row).error());
        if (parsed.rows.size() == kCriteriaRowCount)
            return Fail(std::string(messages::kTooManyWhereRows));
        parsed.rows.push_back(*row);
    } else {
        const Result<CalendarDate> date = ParseDate(value);
        if (!date)
            return Fail(option + ": " + date.error().detail);
        (option == "--from" ? parsed.from : parsed.to) = *date;
    }
    return {};
}

ReportSelection SelectionOf(const ReportArguments& parsed, const fs::path& configFile)
{
    const ReportConfiguration configuration(configFile);
    ReportSelection selection{parsed.from, parsed.to, {}};
    for (const WhereRow& row : parsed.rows)
        selection.rows.push_back({row.valueNumber, configuration.Caption(row.valueNumber),
                                  row.text.value_or(std::string())});
    return selection;
}

} // namespace

int RunReport(const Arguments& arguments, const CommandContext& context)
{
    // Both dates start at today, as the dialog's date pickers do.
    const LocalTime now = CurrentLocalTime();
    ReportArguments parsed;
    parsed.from = parsed.to = {now.day, now.month, now.year};
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const Result<> read = ReadReportOption(arguments, index, context, parsed);
        if (!read) {
            ReportFailure(context.err, read.error().detail);
            return kUsageError;
        }
    }
    // The report is made all the same, as the window makes it: of the lists without a
    // date record.
    if (DateKey(parsed.from) > DateKey(parsed.to))
        ReportFailure(context.err, messages::FromAfterTo(parsed.from, parsed.to));
    const fs::path folder =
        parsed.folder.value_or(DesktopSettings(context.workingFolder).ReceiveFolder());
    if (const std::optional<std::string> why = NotOfKind(folder, PathKind::Folder)) {
        ReportFailure(context.err, messages::NoListFolder(folder, *why));
        return kFailure;
    }
    const fs::path configFile = DocumentConfiguration(parsed.document, context);
    const ReportSelection selection = SelectionOf(parsed, configFile);
    return FinishDocument(
        parsed.document, configFile,
        [&](const DocumentSettings& settings) { return MakeReport(selection, folder, settings); },
        context);
}

} // namespace zvk::cli
