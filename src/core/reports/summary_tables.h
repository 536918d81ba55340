#pragma once

#include "reports/report_document.h"
#include "reports/summary_lists.h"

namespace zvk {

// The sorted summary: one table per kind of timber that has items (long wood,
// stacked wood, sawn timber), a line per group, subtotals where the species,
// assortment or quality changes, and a grand total.
void WriteSummaries(ReportDocument& document, const SummaryLists& lists);

} // namespace zvk
