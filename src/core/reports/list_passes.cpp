#include "reports/list_passes.h"

#include "lists/data_list.h"
#include "reports/header_values.h"
#include "reports/report_list_reader.h"

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

bool ListFilter::ListPassesFilter(const std::filesystem::path& list) const
{
    return ForEachListLine(list, [this](std::string_view line) { return LinePasses(line); });
}

bool ListFilter::LinePasses(std::string_view line) const
{
    const std::string_view code = RecordCode(line);
    if (code == "0A") {
        const CalendarDate date{static_cast<int>(ReadInteger(Field(line, 2, 2))),
                                static_cast<int>(ReadInteger(Field(line, 5, 2))),
                                2000 + static_cast<int>(ReadInteger(Field(line, 8, 2)))};
        const std::int32_t key = DateKey(date);
        if (key < m_firstDay || key > m_lastDay)
            return false;
    }
    for (const HeaderValuePlace& place : HeaderValuesOf(code)) {
        const std::string& criterion = m_criteria[static_cast<std::size_t>(place.number)];
        if (place.number != 0 && !criterion.empty() &&
            criterion != Field(line, place.column, kHeaderValueWidth))
            return false;
    }
    return true;
}

void SummaryPass::AddListToSummaries(const std::filesystem::path& list, SummaryLists& lists)
{
    ForEachListLine(list, [&](std::string_view line) {
        AddLine(line, lists);
        return true;
    });
}

void SummaryPass::AddLine(std::string_view line, SummaryLists& lists)
{
    const std::optional<SummaryKind> kind = m_items.Read(line);
    if (!kind)
        return;
    const std::string_view item = m_items.Item();
    const auto decimal = [&](std::size_t start, std::size_t width) {
        return ReadDecimal(FieldWithinLine(item, start, width));
    };
    // Fields are taken as far as the line reaches: a field that runs past the end
    // of a short line holds only the characters there, so such items form groups
    // of their own keys rather than groups of padded ones.
    SummaryItem record;
    record.species = FieldWithinLine(item, 9, 2);
    record.assortment = FieldWithinLine(item, 11, 2);
    record.quality = FieldWithinLine(item, 16, 3);
    switch (*kind) {
    case SummaryKind::LongWood:
        record.sizeClass = FieldWithinLine(item, 20, 2);
        record.count = CountField(item, 69, 3);
        record.volume = decimal(33, 5);
        break;
    case SummaryKind::StackedWood:
        record.count = 1;
        record.volume = decimal(32, 6);
        record.stackedVolume = decimal(24, 6);
        break;
    case SummaryKind::SawnTimber:
        record.quality = WithoutSurroundingSpaces(record.quality);
        record.sizeClass = FieldWithinLine(item, 28, 3);
        record.count = CountField(item, 62, 3);
        record.volume = decimal(34, 5);
        break;
    }
    lists.Of(*kind).InsertSummary(record);
}

} // namespace zvk
