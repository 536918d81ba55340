#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/write_outcome.h"
#include "reports/report_session.h"

namespace zvk {

// The outcome of a document that may not be written where `settings` put it, told
// before anything is read: a named output that has the name of a data list, or that
// is the very file of one of `lists` or of the configuration it prints from, would
// destroy what the document is made of. Nothing when it may be written (a
// time-stamped document never replaces a file).
std::optional<WriteOutcome> RefusedDocumentTarget(const DocumentSettings& settings,
                                                  const std::vector<std::filesystem::path>& lists);

} // namespace zvk
