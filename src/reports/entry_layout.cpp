#include "reports/entry_layout.h"

#include <cassert>

#include "lists/data_list.h"

namespace zvk {

EntryLayout::EntryLayout(std::string_view format, std::initializer_list<Column> columns)
    : m_columns(columns)
{
    std::size_t from = 0;
    for (std::size_t at; (at = format.find('%', from)) != std::string_view::npos; from = at + 2) {
        assert(format.substr(at, 2) == "%s" && "only fields are copied by an entry layout");
        m_literals.push_back(format.substr(from, at - from));
    }
    m_literals.push_back(format.substr(from));
    assert(m_literals.size() == m_columns.size() + 1 && "one column per field");
}

void EntryLayout::Append(std::string& out, std::string_view item) const
{
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        out += m_literals[i];
        AppendField(out, item, m_columns[i].start, m_columns[i].width);
    }
    out += m_literals.back();
}

} // namespace zvk
