#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "reports/folder_lists.h"
#include "reports/report_selection.h"
#include "reports/report_session.h"
#include "system/result.h"

namespace zvk {

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
