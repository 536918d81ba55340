#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "lists/format_version_reader.h"
#include "lists/record_layout.h"
#include "reports/summary_lists.h"

namespace zvk {

// Reads the items that reports print and sum (long wood, stacked wood, sawn
// timber) from the lines of data lists, following the format version of each list
// as its own state and fixing up the item lines of old lists.
class ItemReader
{
public:
    // The kind of wood of an item line, whose fixed-up text Item() then holds;
    // nothing for every other record (an "AD" header sets the format version).
    std::optional<SummaryKind> Read(std::string_view line);
    std::string_view Item() const;

private:
    FormatVersionReader m_versions;
    // The item as it stands in the line, or as m_versions fixed it up for old lists.
    std::string_view m_item;
};

// The piece count in that field of an item; counts are kept in 32 bits.
std::int32_t CountField(std::string_view item, const RecordField& field);

} // namespace zvk
