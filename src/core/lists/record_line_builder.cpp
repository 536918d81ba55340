#include "lists/record_line_builder.h"

#include <cassert>

namespace zvk {

RecordLineBuilder::RecordLineBuilder(std::string_view code)
{
    Place(kRecordCode, code, false);
}

RecordLineBuilder& RecordLineBuilder::Text(const RecordField& field, std::string_view text)
{
    Place(field, text, false);
    return *this;
}

RecordLineBuilder& RecordLineBuilder::Number(const RecordField& field, std::string_view digits)
{
    Place(field, digits, true);
    return *this;
}

std::string RecordLineBuilder::Line() const
{
    return m_line + "\r\n";
}

void RecordLineBuilder::Place(const RecordField& field, std::string_view value, bool rightAligned)
{
    const std::size_t start = field.start + m_overflow;
    assert(m_line.size() <= start && "fields in the order of their columns");
    const std::size_t padding = value.size() < field.width ? field.width - value.size() : 0;
    m_line.resize(start + (rightAligned ? padding : 0), ' ');
    m_line += value;
    m_line.append(rightAligned ? 0 : padding, ' ');
    m_overflow += value.size() > field.width ? value.size() - field.width : 0;
}

} // namespace zvk
