#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "lists/record_layout.h"

namespace zvk {

// A line layout whose every "%s" is one field of an item line, copied as it stands.
// Fields have fixed widths, so every entry of a layout has the same length: the
// layout keeps the whole entry with blank fields and prints an item by copying its
// fields over the blanks. A season's listing has hundreds of thousands of items.
class EntryLayout
{
public:
    // One field per "%s" of `format`, in order; no other conversion may occur.
    EntryLayout(std::string_view format, std::initializer_list<RecordField> fields);

    // Positions past the end of the item read as spaces.
    void Append(std::string& out, std::string_view item) const;

private:
    struct Placement
    {
        RecordField field;  // in the item
        std::size_t offset; // in the entry
    };

    std::string m_blankEntry;
    std::vector<Placement> m_placements;
};

} // namespace zvk
