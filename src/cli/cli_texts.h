#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "reports/report_session.h"

// zvk's own messages: English one-liners, each printed after "zvk: " on the error
// stream, that say what went wrong and, for a mistake in the command line, where
// help is found. A transfer is told in the window's words (words/transfer_words.h), a
// document in the reports' own.
namespace zvk::cli::messages {

inline constexpr std::string_view kPrefix = "zvk: ";

inline constexpr std::string_view kNoteTakesOneList = "note takes one data list";
inline constexpr std::string_view kTooManyWhereRows =
    "at most 5 --where rows, as in the report dialog";
inline constexpr std::string_view kHandheldBusy = "the handheld is busy with another transfer";
inline constexpr std::string_view kToNeedsFolder =
    "option --to needs a folder (see 'zvk receive --help')";
inline constexpr std::string_view kOutputClosed =
    "the standard output was closed: not everything written reached it";
inline constexpr std::string_view kStoppedAtOnce =
    "stopped at once on a second signal; files being written were removed";
inline constexpr std::string_view kWaitNeedsSeconds =
    "option --wait needs a number of seconds (see 'zvk receive --help')";

// "unknown command 'x' (see 'zvk --help')"
std::string UnknownCommand(std::string_view command);
// "unknown option '--x' (see 'zvk note --help')"
std::string UnknownOption(std::string_view command, std::string_view option);
// "convert needs at least one data list (see 'zvk convert --help')"
std::string NeedsArguments(std::string_view command, std::string_view what);
// "--config needs a value"
std::string NeedsValue(std::string_view option);
// "receive does not understand 'x' (see 'zvk receive --help')"
std::string NotUnderstood(std::string_view command, std::string_view argument);
// An empty argument given to `command`.
std::string EmptyArgument(std::string_view command);

std::string NotADate(std::string_view text);
std::string NotACalendarDay(std::string_view text);
std::string NotAListing(std::string_view value);
std::string NotAHeaderValueNumber(std::string_view number);
std::string NotWindows1250(std::string_view number, std::string_view typed);
std::string HeaderValueTooLong(std::string_view number);

// A list whose dates do not decide whether a report holds it: "L.DAT has no date
// record: every report holds it, whatever its range".
std::string DateInDoubt(const DoubtfulDate& list);

std::string NoConfiguration(const std::filesystem::path& file);
// No "Konfig" in the desktop settings `settingsFile`, or no such file at all.
std::string NoConfigurationChosen(const std::filesystem::path& settingsFile, bool settingsExist);
// "--config ZVK.IN does not exist": a path given with `option` that is not what it names.
std::string NotWhatTheOptionNames(std::string_view option, const std::filesystem::path& path,
                                  std::string_view why);
// "--from 05.03.2026 is after --to 01.03.2026: ..."
std::string FromAfterTo(const CalendarDate& from, const CalendarDate& to);
std::string NoViewer(const std::filesystem::path& document);
// The receive folder of the desktop settings, and why it is none ("does not exist").
std::string NoListFolder(const std::filesystem::path& folder, std::string_view why);
std::string NotADataList(const std::filesystem::path& file);
// A file that holds bytes but not one record of a data list.
std::string NoDataListRecords(const std::filesystem::path& file);

// The handheld's export, waited for at most `limit` ("600 s").
std::string WaitingForExport(std::string_view limit);
std::string ExportAbandoned(std::string_view limit);
// A list a reception did not finish, and why.
std::string ListNotReceived(std::string_view list, std::string_view detail);
std::string ListNotConverted(std::string_view list, std::string_view detail);
std::string ListStillOnHandheld(std::string_view list, std::string_view detail);
// A list received under the name of a desktop list with other bytes, kept as `keptAs`.
std::string EarlierListKept(std::string_view list, std::string_view keptAs);

// A line of the journal of receptions that is no entry.
std::string DamagedJournalLine(std::size_t line, std::string_view journal);

// "stopping on SIGINT"
std::string StoppingOn(std::string_view signal);

} // namespace zvk::cli::messages
