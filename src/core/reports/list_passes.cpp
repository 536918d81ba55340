#include "reports/list_passes.h"

#include "lists/data_list.h"
#include "lists/record_layout.h"

namespace zvk {
namespace {

// Sawn-timber quality codes group alike whether the handheld wrote them left- or
// right-aligned.
std::string_view WithoutSurroundingSpaces(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

} // namespace

ListFilter::ListFilter(const ReportSelection& selection)
    : m_firstDay(DateKey(selection.from)), m_lastDay(DateKey(selection.to))
{
    for (int number = 1; number <= kHeaderValueCount; ++number)
        m_criteria[static_cast<std::size_t>(number)] = selection.GetCriterionValue(number);
}

std::optional<DateDoubt> DateDoubtOf(const ListHeader& header)
{
    if (!header.dated)
        return DateDoubt::NoDateRecord;
    if (header.impossibleDate)
        return DateDoubt::ImpossibleDate;
    return std::nullopt;
}

ListVerdict ListFilter::Verdict(const ListHeader& header, const HeaderTextTable& texts) const
{
    if (header.dated && (header.firstDate < m_firstDay || header.lastDate > m_lastDay))
        return ListVerdict::LeftOut;
    return ValuesMatch(header, texts) ? ListVerdict::Belongs : ListVerdict::LeftOut;
}

std::optional<DateDoubt> ListFilter::DateDoubtFor(const ListHeader& header,
                                                  const HeaderTextTable& texts) const
{
    const std::optional<DateDoubt> doubt = DateDoubtOf(header);
    return doubt && ValuesMatch(header, texts) ? doubt : std::nullopt;
}

bool ListFilter::ValuesMatch(const ListHeader& header, const HeaderTextTable& texts) const
{
    for (const HeaderValueMention& value : header.values) {
        const std::string& criterion = m_criteria[value.number];
        if (!criterion.empty() && criterion != texts.Text(value.text))
            return false;
    }
    return true;
}

void SummaryPass::AddLine(std::string_view line, SummaryLists& lists)
{
    const std::optional<SummaryKind> kind = m_items.Read(line);
    if (!kind)
        return;
    const std::string_view item = m_items.Item();
    const auto decimal = [&](const RecordField& field) {
        return ReadDecimal(FieldWithinLine(item, field));
    };
    // Fields are taken as far as the line reaches: a field that runs past the end
    // of a short line holds only the characters there, so such items form groups
    // of their own keys rather than groups of padded ones.
    SummaryItem record;
    record.species = FieldWithinLine(item, kItem.species);
    record.assortment = FieldWithinLine(item, kItem.assortment);
    record.quality = FieldWithinLine(item, kItem.quality);
    switch (*kind) {
    case SummaryKind::LongWood:
        record.sizeClass = FieldWithinLine(item, kLongWood.diameterClass);
        record.count = CountField(item, kLongWood.pieces);
        record.volume = decimal(kLongWood.volume);
        break;
    case SummaryKind::StackedWood:
        record.count = 1;
        record.volume = decimal(kStackedWood.volume);
        record.stackedVolume = decimal(kStackedWood.stackedVolume);
        break;
    case SummaryKind::SawnTimber:
        record.quality = WithoutSurroundingSpaces(record.quality);
        record.sizeClass = FieldWithinLine(item, kSawnTimber.thickness);
        record.count = CountField(item, kSawnTimber.pieces);
        record.volume = decimal(kSawnTimber.volume);
        break;
    }
    lists.Of(*kind).InsertSummary(record);
}

} // namespace zvk
