#include "reports/item_reader.h"

#include "lists/data_list.h"

namespace zvk {

std::optional<SummaryKind> ItemReader::Read(std::string_view line)
{
    const std::string_view code = RecordCode(line);
    std::optional<SummaryKind> kind;
    if (code == "AD") {
        m_versionInForce = FormatVersionOf(line);
        m_fixUpItems = VersionBelow(m_versionInForce, kFirstSixDigitItemVersion);
    } else if (code == "2M" || code == "2N") {
        kind = SummaryKind::LongWood;
    } else if (code == "2O") {
        kind = SummaryKind::StackedWood;
    } else if (code == "2P") {
        kind = SummaryKind::SawnTimber;
    }
    if (!kind)
        return kind;
    if (m_fixUpItems) {
        NormalizeItemLineInto(line, m_versionInForce, m_fixedUp);
        m_item = m_fixedUp;
    } else {
        m_item = line;
    }
    return kind;
}

std::string_view ItemReader::Item() const
{
    return m_item;
}

std::int32_t CountField(std::string_view item, std::size_t start, std::size_t width)
{
    return static_cast<std::int32_t>(ReadInteger(FieldWithinLine(item, start, width)));
}

} // namespace zvk
