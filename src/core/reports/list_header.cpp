#include "reports/list_header.h"

#include <algorithm>
#include <optional>

#include "lists/line_reader.h"
#include "lists/record_layout.h"
#include "reports/report_selection.h"

namespace zvk {
namespace {

// Header records stand before the items, so the value combos stop offering texts at
// the first log or stacked-wood item; a sawn-timber item does not end them.
bool EndsOfferedValues(std::string_view code)
{
    const std::optional<ItemKind> kind = ItemKindOf(code);
    return kind == ItemKind::LongWood || kind == ItemKind::StackedWood;
}

} // namespace

HeaderTextTable::HeaderTextTable() : m_numbers(0, ByText{this}, ByText{this}) {}

// The numbers' table hashes through the table that owns it: a moved one is made anew.
HeaderTextTable::HeaderTextTable(HeaderTextTable&& other) noexcept
    : m_bytes(std::move(other.m_bytes)), m_ends(std::move(other.m_ends)),
      m_numbers(0, ByText{this}, ByText{this})
{}

std::uint32_t HeaderTextTable::NumberOf(std::string_view text)
{
    if (m_numbers.size() < m_ends.size()) {
        m_numbers.reserve(m_ends.size());
        for (std::uint32_t number = 0; number < Size(); ++number)
            m_numbers.insert(number);
    }
    if (const auto found = m_numbers.find(text); found != m_numbers.end())
        return *found;
    Append(text);
    m_numbers.insert(Size() - 1);
    return Size() - 1;
}

void HeaderTextTable::Append(std::string_view text)
{
    m_bytes.append(text);
    m_ends.push_back(static_cast<std::uint32_t>(m_bytes.size()));
}

std::string_view HeaderTextTable::Text(std::uint32_t number) const
{
    const std::uint32_t begin = number == 0 ? 0 : m_ends[number - 1];
    return std::string_view(m_bytes).substr(begin, m_ends[number] - begin);
}

std::uint32_t HeaderTextTable::Size() const
{
    return static_cast<std::uint32_t>(m_ends.size());
}

std::size_t HeaderTextTable::ByText::operator()(std::uint32_t number) const
{
    return (*this)(table->Text(number));
}

std::size_t HeaderTextTable::ByText::operator()(std::string_view text) const
{
    return std::hash<std::string_view>()(text);
}

bool HeaderTextTable::ByText::operator()(std::uint32_t a, std::uint32_t b) const
{
    return a == b || table->Text(a) == table->Text(b);
}

bool HeaderTextTable::ByText::operator()(std::string_view a, std::uint32_t b) const
{
    return a == table->Text(b);
}

bool HeaderTextTable::ByText::operator()(std::uint32_t a, std::string_view b) const
{
    return table->Text(a) == b;
}

ListHeader ReadListHeader(std::string_view bytes, HeaderTextTable& texts)
{
    ListHeader header;
    bool itemsBegun = false;
    std::string padded; // a value of a short line, filled up with spaces
    ForEachLineIn(bytes, [&](std::string_view line) {
        const std::string_view code = RecordCode(line);
        if (code == kDateRecordCode) {
            const ListDate read = DateOf(line);
            const CalendarDate date{read.day, read.month, read.year};
            const std::int32_t key = DateKey(date);
            header.impossibleDate = header.impossibleDate || !IsCalendarDay(date);
            header.firstDate = header.dated ? std::min(header.firstDate, key) : key;
            header.lastDate = header.dated ? std::max(header.lastDate, key) : key;
            header.dated = true;
        }
        itemsBegun = itemsBegun || EndsOfferedValues(code);
        for (const HeaderValuePlace& place : HeaderValuesOf(code)) {
            if (place.number == 0)
                continue;
            // Most values lie whole within their lines: only a short line's are padded.
            std::string_view text = FieldWithinLine(line, place.field);
            if (text.size() < place.field.width) {
                padded = Field(line, place.field);
                text = padded;
            }
            const HeaderValueMention mention{static_cast<std::uint8_t>(place.number), !itemsBegun,
                                             texts.NumberOf(text)};
            const bool known =
                std::any_of(header.values.begin(), header.values.end(), [&](const auto& value) {
                    return value.number == mention.number && value.text == mention.text;
                });
            if (!known)
                header.values.push_back(mention);
        }
    });
    return header;
}

} // namespace zvk
