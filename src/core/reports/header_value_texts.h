#pragma once

#include <filesystem>
#include <stop_token>
#include <string>
#include <vector>

#include "reports/list_progress.h"
#include "system/file_failure.h"

namespace zvk {

// What the lists of a folder hold for one header value: the texts the report
// dialog offers as criteria for it.
struct HeaderValueTexts
{
    // Each text as its exact 20 Windows-1250 bytes, trailing spaces kept, in the
    // order read; of texts that differ only in letter case, the one read first.
    std::vector<std::string> texts;
    // Lists that were found but could not be read, or the folder when it cannot
    // be read; the texts of the other lists are offered all the same.
    std::vector<FileFailure> unreadable;
};

// Reads header value `valueNumber` (1 to 29) of every data list of `folder`, in
// the order a report reads them, through the folder's header index in `indexFolder`
// (none: every list is read). Only header records before a list's first log,
// stacked-wood or second-log item offer texts: header records stand before the
// items. A stop request ends the reading between two lists, with the texts read so far.
HeaderValueTexts ReadHeaderValueTexts(const std::filesystem::path& folder, int valueNumber,
                                      const std::filesystem::path& indexFolder = {},
                                      std::stop_token stop = {}, const ListProgress& progress = {});

} // namespace zvk
