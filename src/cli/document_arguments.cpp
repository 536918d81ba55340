#include "cli/document_arguments.h"

#include <system_error>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/terminal_progress.h"
#include "config/desktop_settings.h"
#include "device/progress_display.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

bool ReadNumber(std::string_view text, int& number)
{
    if (text.empty() || text.size() > 4)
        return false;
    number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    return true;
}

bool ReadListingOption(std::string_view value, ReportOptions& options)
{
    if (value == "none") {
        options.completeListing = options.twoColumnListing = false;
    } else if (value == "complete") {
        options.completeListing = true;
        options.twoColumnListing = false;
    } else if (value == "two-column") {
        options.completeListing = false;
        options.twoColumnListing = true;
    } else {
        return false;
    }
    return true;
}

} // namespace

Result<CalendarDate> ParseDate(std::string_view text)
{
    CalendarDate date;
    bool read = false;
    if (text.size() == 10 && text[2] == '.' && text[5] == '.')
        read = ReadNumber(text.substr(0, 2), date.day) &&
               ReadNumber(text.substr(3, 2), date.month) && ReadNumber(text.substr(6), date.year);
    else if (text.size() == 10 && text[4] == '-' && text[7] == '-')
        read = ReadNumber(text.substr(0, 4), date.year) &&
               ReadNumber(text.substr(5, 2), date.month) && ReadNumber(text.substr(8), date.day);
    if (!read)
        return Fail(messages::NotADate(text));
    if (!IsCalendarDay(date))
        return Fail(messages::NotACalendarDay(text));
    return date;
}

std::optional<std::string> NotOfKind(const fs::path& path, PathKind kind)
{
    std::error_code ec;
    const fs::file_type type = fs::status(path, ec).type();
    if (type == fs::file_type::not_found)
        return "does not exist";
    if (ec)
        return "cannot be reached: " + ec.message();
    if (kind == PathKind::File) {
        if (type == fs::file_type::regular)
            return std::nullopt;
        return type == fs::file_type::directory ? "is a folder, not a file"
                                                : "is not a regular file";
    }
    if (type == fs::file_type::directory)
        return std::nullopt;
    return type == fs::file_type::regular ? "is a file, not a folder" : "is not a folder";
}

fs::path DocumentConfiguration(const DocumentArguments& parsed, const CommandContext& context)
{
    if (parsed.configFile)
        return *parsed.configFile;
    const DesktopSettings desktop(context.workingFolder);
    const std::optional<fs::path> chosen = desktop.ChosenConfigurationPath();
    std::error_code ec;
    if (!chosen)
        ReportFailure(context.err, messages::NoConfigurationChosen(desktop.File(),
                                                                   fs::exists(desktop.File(), ec)));
    else if (NotOfKind(*chosen, PathKind::File))
        ReportFailure(context.err, messages::NoConfiguration(*chosen));
    return desktop.ConfigurationPath();
}

Result<bool> ReadDocumentOption(const Arguments& arguments, std::size_t& index,
                                const CommandContext& context, DocumentArguments& parsed)
{
    const std::string& option = arguments[index];
    if (option == "--sorted" || option == "--no-sorted") {
        parsed.options.sortedSummary = option == "--sorted";
        return true;
    }
    if (option == "--open") {
        parsed.open = true;
        return true;
    }
    if (option != "--config" && option != "--output" && option != "--listing")
        return false;
    // An empty path names no file: taken as none, it would make the document under the
    // default name, or read no configuration, without a word.
    if (index + 1 >= arguments.size() || arguments[index + 1].empty())
        return Fail(messages::NeedsValue(option));
    const std::string& value = arguments[++index];
    if (option == "--config") {
        const fs::path file = context.PathOf(value);
        if (const std::optional<std::string> why = NotOfKind(file, PathKind::File))
            return Fail(messages::NotWhatTheOptionNames(option, file, *why));
        parsed.configFile = file;
    } else if (option == "--output")
        parsed.output = context.PathOf(value);
    else if (!ReadListingOption(value, parsed.options))
        return Fail(messages::NotAListing(value));
    return true;
}

int FinishDocument(const DocumentArguments& parsed, const fs::path& configFile,
                   const std::function<Result<fs::path>(const DocumentSettings&)>& make,
                   const CommandContext& context)
{
    std::ostream& err = context.err;
    SystemDocumentViewer viewer;
    DocumentSettings settings;
    settings.options = parsed.options;
    settings.configFile = configFile;
    settings.target.file = parsed.output;
    settings.target.folder = context.workingFolder;
    settings.indexFolder = context.cacheFolder;
    settings.stop = context.stop;
    // Said once the bar has ended, so that no line breaks into it.
    std::vector<DoubtfulDate> doubtful;
    settings.doubtfulDate = [&](const DoubtfulDate& list) { doubtful.push_back(list); };
    ProgressDisplay shown;
    TerminalProgressBar bar(err);
    // Every list read is not yet the document written: 100 % waits for it.
    bool allRead = false;
    if (context.errIsTerminal)
        settings.progress = [&](std::uint64_t done, std::uint64_t total) {
            const std::optional<unsigned> percent = shown.Change(done, total);
            allRead = allRead || percent == 100u;
            if (percent && percent != 100u)
                bar.Draw(*percent);
        };
    const Result<fs::path> made = make(settings);
    if (made && allRead)
        bar.Draw(100);
    bar.EndLine();
    if (!made) {
        // A stop was told when it was asked for.
        if (!settings.stop.stop_requested())
            ReportFailure(err, made.error().detail);
        return kFailure;
    }
    for (const DoubtfulDate& list : doubtful)
        ReportFailure(err, messages::DateInDoubt(list));
    context.out << PathText(*made) << '\n';
    if (parsed.open && !viewer.Show(*made))
        ReportFailure(err, messages::NoViewer(*made));
    return kSuccess;
}

} // namespace zvk::cli
