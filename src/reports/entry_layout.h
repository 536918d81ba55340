#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace zvk {

// A line layout whose every "%s" is one field of an item line, copied as it stands.
// The format is split once, so that printing an item costs no more than copying its
// fields: a season's listing has hundreds of thousands of them.
class EntryLayout
{
public:
    struct Column
    {
        std::size_t start = 0;
        std::size_t width = 0;
    };

    // One column per "%s" of `format`, in order; no other conversion may occur.
    EntryLayout(std::string_view format, std::initializer_list<Column> columns);

    void Append(std::string& out, std::string_view item) const;

private:
    std::vector<std::string_view> m_literals; // before each column, and after the last
    std::vector<Column> m_columns;
};

} // namespace zvk
