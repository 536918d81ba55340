#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "reports/item_reader.h"
#include "reports/report_document.h"
#include "system/result.h"

namespace zvk {

// Running sums over the items printed since the listing's column header. Volumes
// are summed in double precision, each as its field reads: a season's thousands of
// items summed in single precision drift in the second decimal, and the totals must
// agree with the grand totals of the sorted summary in the same document.
struct ListingTotals
{
    std::int64_t longWoodPieces = 0;
    double longWoodVolume = 0.0;
    double stackedVolumePm = 0.0;
    double stackedWoodVolume = 0.0;
    std::int64_t sawnPieces = 0;
    double sawnVolume = 0.0;
};

// The complete listing of a report or consignment note: every item of the chosen
// lists, one per line or two side by side, under one column header, closed by the
// totals block.
class Listing
{
public:
    explicit Listing(ReportDocument& document);

    // A new document starts the two-column layout on a fresh line.
    void Reset(bool twoColumns);

    // The column header; the totals start from zero here.
    void WriteListingHeader();
    // One line of a list: "AD" sets the format version, an item is printed and
    // added to the totals, every other record is passed over.
    void WriteListingLine(std::string_view line);
    // The line of 79 dashes around the totals.
    void WriteSeparator();
    // Ends a half-filled two-column line and prints the totals of each kind of wood.
    void WriteTotals();

private:
    void EndEntry();

    ReportDocument& m_document;
    bool m_twoColumns = false;
    int m_itemsOnLine = 0;
    ListingTotals m_totals;
    ItemReader m_items;
    std::string m_entry; // kept to spare an allocation per item
};

} // namespace zvk
