#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/result.h"
#include "reports/report_selection.h"
#include "reports/report_session.h"

namespace zvk {

// The data lists of a folder that a report reads: files whose names end in ".dat"
// in any letter case, in the byte order of their names, so that the same folder
// always gives the same report.
struct FolderLists
{
    std::vector<std::filesystem::path> paths;
    std::vector<std::string> names; // of each path, as PathText gives it
};

// The data lists of `folder`. A folder that cannot be read (a missing one too) fails:
// a report over it would look like one over an empty folder.
Result<FolderLists> ReportListsIn(const std::filesystem::path& folder);

// The report of the dialog's "Prehľad": the date range and the criteria rows, then
// for every list of `receiveFolder` that passes the selection its listing and its
// share of the sorted summary, as `settings.options` choose. A list or a folder
// that cannot be read stops the report: no document is left and none is shown, and
// a file that had the output's name stays as it was. An output with the name of a
// data list, or that is one of the folder's lists, is refused before any is read.
Result<std::filesystem::path> MakeReport(const ReportSelection& selection,
                                         const std::filesystem::path& receiveFolder,
                                         const DocumentSettings& settings);

// The consignment note of one data list: its name, date and filled header values
// with their captions, then its listing and sorted summary as chosen. Written,
// refused and stopped as a report is.
Result<std::filesystem::path> MakeConsignmentNote(const std::filesystem::path& list,
                                                  const DocumentSettings& settings);

} // namespace zvk
