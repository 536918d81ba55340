#include <string>
#include <string_view>
#include <unordered_map>

#include "cli/cli_texts.h"
#include "cli/command_line.h"
#include "config/desktop_settings.h"
#include "device/reception_journal.h"
#include "files/input_file.h"
#include "text/path_text.h"
#include "text/sha256.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

// What became of a journaled list since its reception.
std::string_view Verdict(const fs::path& folder, const JournalEntry& entry)
{
    const Result<std::string> now = ReadWholeFile(folder / PathFromText(entry.desktopName));
    if (!now)
        return "missing";
    return Sha256Hex(*now) == entry.sha256 ? "unchanged" : "changed since its reception";
}

} // namespace

int RunJournal(const Arguments& arguments, const CommandContext& context)
{
    fs::path folder = DesktopSettings(context.workingFolder).ReceiveFolder();
    if (folder.empty())
        folder = context.workingFolder;
    bool verify = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--verify") {
            verify = true;
        } else if (arguments[i] == "--folder" && i + 1 < arguments.size() &&
                   !arguments[i + 1].empty()) {
            folder = context.PathOf(arguments[++i]);
        } else {
            ReportFailure(context.err, messages::NotUnderstood("journal", arguments[i]));
            return kUsageError;
        }
    }
    const Result<JournalReading> journal = ReadJournal(folder);
    if (!journal) {
        ReportFailure(context.err, journal.error().detail);
        return kFailure;
    }
    const fs::path file = folder / PathFromText(kJournalName);
    for (const std::size_t line : journal->damagedLines)
        ReportFailure(context.err, messages::DamagedJournalLine(line, PathText(file)));
    if (!verify) {
        for (const JournalEntry& entry : journal->entries)
            context.out << JournalLine(entry);
        return kSuccess;
    }
    // Each list as its latest reception left it, in the order of those receptions.
    std::unordered_map<std::string_view, std::size_t> latestLine;
    for (std::size_t i = 0; i < journal->entries.size(); ++i)
        latestLine[journal->entries[i].desktopName] = i;
    bool allUnchanged = true;
    for (std::size_t i = 0; i < journal->entries.size(); ++i) {
        const JournalEntry& entry = journal->entries[i];
        if (latestLine[entry.desktopName] != i)
            continue;
        const std::string_view verdict = Verdict(folder, entry);
        allUnchanged = allUnchanged && verdict == "unchanged";
        context.out << entry.desktopName << ": " << verdict << '\n';
    }
    return allUnchanged ? kSuccess : kFailure;
}

} // namespace zvk::cli
