#include "reports/listing.h"

#include "lists/data_list.h"
#include "lists/record_layout.h"
#include "reports/document_words.h"
#include "reports/entry_layout.h"
#include "reports/summary_lists.h"
#include "reports/text_format.h"

namespace zvk {
namespace {

constexpr std::string_view kSeparator =
    "-------------------------------------------------------------------------------";

double DecimalField(std::string_view item, const RecordField& field)
{
    return ReadDecimal(FieldWithinLine(item, field));
}

// Long wood: the columns before and after the one of pieces times volume per piece,
// which is left blank for an item of one piece.
const EntryLayout kLongWoodLead("  %s  %s  %s%s %s %s  %s          %s   ",
                                {kItem.itemNumber, kItem.species, kItem.assortment,
                                 kItem.assortmentPart2, kItem.quality, kLongWood.length,
                                 kLongWood.diameter, kLongWood.diameterClass});
const EntryLayout kLongWoodTail("  %s  %s   %s",
                                {kLongWood.volume, kLongWood.merCode, kLongWood.partCode});
constexpr std::string_view kOnePieceColumn = "       ";
const EntryLayout
    kStackedWoodEntry("  %s  %s  %s%s %s      %s  %s                %s  %s   %s",
                      {kItem.itemNumber, kItem.species, kItem.assortment, kItem.assortmentPart2,
                       kItem.quality, kStackedWood.stackedVolume, kStackedWood.coefficient,
                       kStackedWood.volume, kStackedWood.merCode, kStackedWood.partCode});
const EntryLayout kSawnTimberEntry("  %s  %s  %s%s %s %s  %s %s  %s                %s       %s",
                                   {kItem.itemNumber, kItem.species, kItem.assortment,
                                    kItem.assortmentPart2, kItem.quality, kSawnTimber.length,
                                    kSawnTimber.thickness, kSawnTimber.prKf, kSawnTimber.zkKf,
                                    kSawnTimber.volume, kSawnTimber.partCode});
const EntryLayout kLongWoodHalfLine(" %s   %s  %s  %s   %s  %s   ",
                                    {kItem.itemNumber, kItem.species, kItem.quality,
                                     kLongWood.length, kLongWood.diameter, kLongWood.volume});
const EntryLayout kStackedWoodHalfLine(" %s   %s  %s %s  %s %s   ",
                                       {kItem.itemNumber, kItem.species, kItem.quality,
                                        kStackedWood.stackedVolume, kStackedWood.coefficient,
                                        kStackedWood.volume});
const EntryLayout kSawnTimberHalfLine(" %s   %s  %s %s %s %s   %s  ",
                                      {kItem.itemNumber, kItem.species, kItem.quality,
                                       kSawnTimber.length, kSawnTimber.thickness, kSawnTimber.prKf,
                                       kSawnTimber.volume});

// A piece count of 0 (a blank count field) has no volume per piece either, so such
// an item is printed as one piece rather than as a division by zero. The volume per
// piece stays one division in single precision, as the handheld's desktop printed it
// (4.01 in two pieces gives 2.01, where double precision would give 2.00): one
// division accumulates no error.
void AppendLongWoodEntry(std::string& entry, std::string_view item, std::int32_t pieces,
                         std::string_view volume)
{
    kLongWoodLead.Append(entry, item);
    if (pieces == 1 || pieces == 0) {
        entry += kOnePieceColumn;
    } else {
        const float perPiece = ReadDecimalAsFloat(volume) / static_cast<float>(pieces);
        AppendFormatted(entry, "%d*%5.2f", {pieces, static_cast<double>(perPiece)});
    }
    kLongWoodTail.Append(entry, item);
}

} // namespace

Listing::Listing(ReportDocument& document) : m_document(document) {}

void Listing::Reset(bool twoColumns)
{
    m_twoColumns = twoColumns;
    m_itemsOnLine = 0;
}

void Listing::WriteListingHeader()
{
    m_document.WriteControl(ControlWord::Bold);
    m_document.WriteControl(ControlWord::Underline);
    m_document.WriteText(m_twoColumns ? document_words::kTwoColumnListingHeading
                                      : document_words::kListingHeading);
    m_document.WriteControl(ControlWord::UnderlineOff);
    m_document.WriteControl(ControlWord::BoldOff);
    m_document.NewLine();
    m_totals = {};
}

void Listing::WriteListingLine(std::string_view line)
{
    const std::optional<SummaryKind> kind = m_items.Read(line);
    if (!kind)
        return;
    const std::string_view item = m_items.Item();
    m_entry.clear();
    switch (*kind) {
    case SummaryKind::LongWood: {
        const std::int32_t pieces = CountField(item, kLongWood.pieces);
        const std::string_view volume = FieldWithinLine(item, kLongWood.volume);
        m_totals.longWoodPieces = AddCounts(m_totals.longWoodPieces, pieces);
        m_totals.longWoodVolume += ReadDecimal(volume);
        if (m_twoColumns)
            kLongWoodHalfLine.Append(m_entry, item);
        else
            AppendLongWoodEntry(m_entry, item, pieces, volume);
        break;
    }
    case SummaryKind::StackedWood:
        m_totals.stackedVolumePm += DecimalField(item, kStackedWood.stackedVolume);
        m_totals.stackedWoodVolume += DecimalField(item, kStackedWood.volume);
        (m_twoColumns ? kStackedWoodHalfLine : kStackedWoodEntry).Append(m_entry, item);
        break;
    case SummaryKind::SawnTimber:
        m_totals.sawnPieces = AddCounts(m_totals.sawnPieces, CountField(item, kSawnTimber.pieces));
        m_totals.sawnVolume += DecimalField(item, kSawnTimber.volume);
        (m_twoColumns ? kSawnTimberHalfLine : kSawnTimberEntry).Append(m_entry, item);
        break;
    }
    EndEntry();
}

void Listing::WriteSeparator()
{
    m_document.WriteText(kSeparator);
    m_document.NewLine();
}

void Listing::WriteTotals()
{
    if (m_twoColumns && m_itemsOnLine == 1)
        m_document.NewLine();
    m_document.WriteControl(ControlWord::Bold);
    WriteSeparator();
    if (m_totals.longWoodPieces > 0) {
        const double average =
            m_totals.longWoodVolume / static_cast<double>(m_totals.longWoodPieces);
        m_document.WriteText(
            FormatText(document_words::kLongWoodTotals,
                       {m_totals.longWoodPieces, average, m_totals.longWoodVolume}));
        m_document.NewLine();
    }
    if (m_totals.stackedVolumePm > 0.0) {
        m_document.WriteText(FormatText(document_words::kStackedWoodTotals,
                                        {m_totals.stackedVolumePm, m_totals.stackedWoodVolume}));
        m_document.NewLine();
    }
    if (m_totals.sawnVolume > 0.0) {
        m_document.WriteText(FormatText(document_words::kSawnTimberTotals,
                                        {m_totals.sawnPieces, m_totals.sawnVolume}));
        m_document.NewLine();
    }
    WriteSeparator();
    m_document.WriteControl(ControlWord::BoldOff);
    m_document.NewLine();
    m_document.NewLine();
}

void Listing::EndEntry()
{
    m_document.WriteText(m_entry);
    if (!m_twoColumns) {
        m_document.NewLine();
        return;
    }
    if (++m_itemsOnLine == 2) {
        m_document.NewLine();
        m_itemsOnLine = 0;
    }
}

} // namespace zvk
