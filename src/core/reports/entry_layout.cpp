#include "reports/entry_layout.h"

#include <algorithm>
#include <cassert>

namespace zvk {

EntryLayout::EntryLayout(std::string_view format, std::initializer_list<RecordField> fields)
{
    auto column = fields.begin();
    std::size_t from = 0;
    for (std::size_t at; (at = format.find('%', from)) != std::string_view::npos; from = at + 2) {
        assert(format.substr(at, 2) == "%s" && "only fields are copied by an entry layout");
        assert(column != fields.end() && "one item field per %s");
        m_blankEntry += format.substr(from, at - from);
        m_placements.push_back({*column, m_blankEntry.size()});
        m_blankEntry.append(column->width, ' ');
        ++column;
    }
    assert(column == fields.end() && "one %s per item field");
    m_blankEntry += format.substr(from);
}

void EntryLayout::Append(std::string& out, std::string_view item) const
{
    const std::size_t entry = out.size();
    out += m_blankEntry;
    char* const blanks = out.data() + entry;
    for (const Placement& placement : m_placements) {
        const std::string_view field = FieldWithinLine(item, placement.field);
        std::ranges::copy(field, blanks + placement.offset);
    }
}

} // namespace zvk
