#include "cli/cli_texts.h"

#include "reports/text_format.h"
#include "text/path_text.h"

namespace zvk::cli::messages {
namespace {

std::string Quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

// Where help on `command` is found; the tool's own help for no command.
std::string SeeHelp(std::string_view command)
{
    const std::string zvk = command.empty() ? "zvk" : "zvk " + std::string(command);
    return " (see '" + zvk + " --help')";
}

} // namespace

std::string UnknownCommand(std::string_view command)
{
    return "unknown command " + Quoted(command) + SeeHelp({});
}

std::string UnknownOption(std::string_view command, std::string_view option)
{
    return "unknown option " + Quoted(option) + SeeHelp(command);
}

std::string NeedsArguments(std::string_view command, std::string_view what)
{
    return std::string(command) + " needs " + std::string(what) + SeeHelp(command);
}

std::string NeedsValue(std::string_view option)
{
    return std::string(option) + " needs a value";
}

std::string EmptyArgument(std::string_view command)
{
    return "an empty argument names no file or folder (see 'zvk " + std::string(command) +
           " --help')";
}

std::string NotUnderstood(std::string_view command, std::string_view argument)
{
    return std::string(command) + " does not understand " + Quoted(argument) + SeeHelp(command);
}

std::string NotADate(std::string_view text)
{
    return "a date is written DD.MM.YYYY or YYYY-MM-DD, not " + Quoted(text);
}

std::string NotACalendarDay(std::string_view text)
{
    return Quoted(text) + " is not a day of the calendar";
}

std::string NotAListing(std::string_view value)
{
    return "--listing takes none, complete or two-column, not " + Quoted(value);
}

std::string NotAHeaderValueNumber(std::string_view number)
{
    return "--where needs a header value number from 1 to 29, not " + Quoted(number);
}

std::string NotWindows1250(std::string_view number, std::string_view typed)
{
    return "--where " + std::string(number) + ": " + Quoted(typed) +
           " has characters that data lists cannot hold (Windows-1250)";
}

std::string HeaderValueTooLong(std::string_view number)
{
    return "--where " + std::string(number) + ": a header value has at most 20 characters";
}

std::string DateInDoubt(const DoubtfulDate& list)
{
    if (list.doubt == DateDoubt::NoDateRecord)
        return list.list + " has no date record: every report holds it, whatever its range";
    return list.list + " has a date that is no day of the calendar" +
           (list.inDocument ? "" : ": this report leaves it out");
}

std::string NoConfiguration(const std::filesystem::path& file)
{
    return "no configuration file " + PathText(file) +
           ": the document has no company lines or captions";
}

std::string NoConfigurationChosen(const std::filesystem::path& settingsFile, bool settingsExist)
{
    return "no configuration file: " +
           (settingsExist ? PathText(settingsFile) + " names none (Konfig)"
                          : "there is no " + PathText(settingsFile) + " to name one") +
           "; the document has no company lines or captions";
}

std::string NotWhatTheOptionNames(std::string_view option, const std::filesystem::path& path,
                                  std::string_view why)
{
    return std::string(option) + " " + PathText(path) + " " + std::string(why);
}

std::string FromAfterTo(const CalendarDate& from, const CalendarDate& to)
{
    return FormatText("--from %02d.%02d.%04d is after --to %02d.%02d.%04d: no list with a date "
                      "is in the report",
                      {from.day, from.month, from.year, to.day, to.month, to.year});
}

std::string NoViewer(const std::filesystem::path& document)
{
    return "no viewer could be started for " + PathText(document);
}

std::string NoListFolder(const std::filesystem::path& folder, std::string_view why)
{
    return "the folder of data lists " + PathText(folder) + " " + std::string(why);
}

std::string NotADataList(const std::filesystem::path& file)
{
    return PathText(file.filename()) +
           " is not a data list (*.dat): the handheld would never hand it back";
}

std::string NoDataListRecords(const std::filesystem::path& file)
{
    return PathText(file) + " is not a data list: not one line of it starts with a record code";
}

std::string WaitingForExport(std::string_view limit)
{
    return "waiting for the handheld to finish exporting its lists (giving up after " +
           std::string(limit) + ", see --wait)";
}

std::string ExportAbandoned(std::string_view limit)
{
    return "the handheld did not finish exporting its lists within " + std::string(limit) +
           "; nothing was received or deleted";
}

std::string ListNotReceived(std::string_view list, std::string_view detail)
{
    return std::string(list) + " stays on the handheld: " + std::string(detail);
}

std::string EarlierListKept(std::string_view list, std::string_view keptAs)
{
    return std::string(list) + " replaced an earlier list of its name, which was kept as " +
           std::string(keptAs);
}

std::string DamagedJournalLine(std::size_t line, std::string_view journal)
{
    return "line " + std::to_string(line) + " of " + std::string(journal) +
           " is damaged and was skipped";
}

std::string ListStillOnHandheld(std::string_view list, std::string_view detail)
{
    return std::string(list) +
           " was received, but stays on the handheld too: " + std::string(detail);
}

std::string ListNotConverted(std::string_view list, std::string_view detail)
{
    return std::string(list) +
           " was received, but its semicolon text was not written: " + std::string(detail);
}

std::string StoppingOn(std::string_view signal)
{
    return "stopping on " + std::string(signal);
}

} // namespace zvk::cli::messages
