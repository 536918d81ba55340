#include "reports/entry_layout.h"

#include <algorithm>
#include <cassert>
#include <cstring>

namespace zvk {

EntryLayout::EntryLayout(std::string_view format, std::initializer_list<Column> columns)
{
    auto column = columns.begin();
    std::size_t from = 0;
    for (std::size_t at; (at = format.find('%', from)) != std::string_view::npos; from = at + 2) {
        assert(format.substr(at, 2) == "%s" && "only fields are copied by an entry layout");
        assert(column != columns.end() && "one column per field");
        m_blankEntry += format.substr(from, at - from);
        m_placements.push_back({*column, m_blankEntry.size()});
        m_blankEntry.append(column->width, ' ');
        ++column;
    }
    assert(column == columns.end() && "one field per column");
    m_blankEntry += format.substr(from);
}

void EntryLayout::Append(std::string& out, std::string_view item) const
{
    const std::size_t entry = out.size();
    out += m_blankEntry;
    char* const blanks = out.data() + entry;
    for (const Placement& placement : m_placements) {
        const Column& field = placement.field;
        if (field.start < item.size())
            std::memcpy(blanks + placement.offset, item.data() + field.start,
                        std::min(field.width, item.size() - field.start));
    }
}

} // namespace zvk
