#pragma once

namespace zvk {

// What a report or consignment note holds, as chosen in the report type dialog
// (which opens with the complete listing and the sorted summary ticked). At most
// one of the two listings is chosen.
struct ReportOptions
{
    bool completeListing = true;
    bool twoColumnListing = false;
    bool sortedSummary = true;
};

bool WantsListing(const ReportOptions& options);

} // namespace zvk
