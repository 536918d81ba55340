#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "lists/record_layout.h"

namespace zvk {

// Writes one record line field by field at the columns of the record layout,
// spaces in the gaps, as the handheld's printf formats write them: a value longer
// than its field is written in full and moves the rest of the line to the right.
// Fields come in the order of their columns.
class RecordLineBuilder
{
public:
    // The line starts with its record code.
    explicit RecordLineBuilder(std::string_view code);

    // Left-aligned, padded with spaces to the field's width.
    RecordLineBuilder& Text(const RecordField& field, std::string_view text);
    // Right-aligned, as a number is written.
    RecordLineBuilder& Number(const RecordField& field, std::string_view digits);

    // The line with its line end; it ends with the last field written.
    std::string Line() const;

private:
    void Place(const RecordField& field, std::string_view value, bool rightAligned);

    std::string m_line;
    // How far the values longer than their fields have moved the columns after them.
    std::size_t m_overflow = 0;
};

} // namespace zvk
