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
    NormalizeItemLineInto(itemLine, m_versionInForce, m_fixedUp);
    return m_fixedUp;
}

} // namespace zvk
