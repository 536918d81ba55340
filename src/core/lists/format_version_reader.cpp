#include "lists/format_version_reader.h"

#include "lists/data_list.h"
#include "lists/record_layout.h"

namespace zvk {

bool FormatVersionReader::ReadHeader(std::string_view line)
{
    if (RecordCode(line) != kListHeaderCode)
        return false;
    m_versionInForce = FormatVersionOf(line);
    m_fixUpItems = VersionBelow(m_versionInForce, kFirstSixDigitItemVersion);
    return true;
}

const std::string& FormatVersionReader::VersionInForce() const
{
    return m_versionInForce;
}

std::string_view FormatVersionReader::Item(std::string_view itemLine)
{
    if (!m_fixUpItems)
        return itemLine;
    // Item numbers of lists below 1.19 have five digits: a space at the item number's
    // column widens them to six and moves every later field to its place.
    constexpr std::size_t kItemNumberColumn = kItem.itemNumber.start;
    m_fixedUp.assign(itemLine);
    if (m_fixedUp.size() < kItemNumberColumn)
        m_fixedUp.resize(kItemNumberColumn, ' ');
    m_fixedUp.insert(kItemNumberColumn, 1, ' ');
    return m_fixedUp;
}

} // namespace zvk
