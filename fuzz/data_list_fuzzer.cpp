// A data list from anywhere (the handheld, another desktop, a hand edit) through every
// pass that reads one: the version fix-up of item lines, the filter, the summaries, and
// the report and consignment note that list and total it, which are made whatever the
// list holds.

#include <sstream>
#include <string>
#include <system_error>

#include "fuzz_scratch.h"
#include "fuzz_target.h"
#include "lists/format_version_reader.h"
#include "lists/line_reader.h"
#include "reports/documents.h"
#include "reports/list_passes.h"

namespace fs = std::filesystem;

namespace {

// Every day a list can carry, and one criterion that only some lists meet.
zvk::ReportSelection WideSelection(bool withCriterion)
{
    zvk::ReportSelection selection{{1, 1, 1900}, {31, 12, 2099}, {}};
    if (withCriterion)
        selection.rows.push_back({1, "Lesná správa: ", "Hierny Balog        "});
    return selection;
}

void PassLinesInMemory(std::string_view list)
{
    std::istringstream in{std::string(list)};
    zvk::LineReader lines(in);
    const zvk::ListFilter filter(WideSelection(true));
    zvk::HeaderTextTable texts;
    static_cast<void>(filter.Verdict(zvk::ReadListHeader(list, texts), texts));
    zvk::SummaryPass summaries;
    zvk::SummaryLists summaryLists;
    zvk::FormatVersionReader versions;
    std::string_view line;
    while (lines.Next(line)) {
        if (!versions.ReadHeader(line))
            static_cast<void>(versions.Item(line));
        summaries.AddLine(line, summaryLists);
    }
}

void MakeDocuments(const fs::path& folder, const fs::path& list)
{
    zvk::DocumentSettings settings;
    settings.configFile = ZVK_FUZZ_CONFIGURATION;
    settings.target.file = folder / "report.rtf";
    settings.options = {true, false, true};
    // Whatever a readable list holds, its documents are made: a failure would name a
    // list that was read as one that could not be.
    zvk::fuzz::Require(
        zvk::MakeReport(WideSelection(false), list.parent_path(), settings).has_value(),
        "the report over a readable list failed");
    settings.target.file = folder / "note.rtf";
    settings.options = {false, true, true};
    zvk::fuzz::Require(zvk::MakeConsignmentNote(list, settings).has_value(),
                       "the consignment note of a readable list failed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = zvk::fuzz::BytesOf(data, size);
    PassLinesInMemory(bytes);
    const fs::path folder = zvk::fuzz::ScratchFolder();
    const fs::path list = folder / "lists" / "LIST0001.DAT";
    zvk::fuzz::WriteScratchFile(list, bytes);
    MakeDocuments(folder, list);
    return 0;
}
