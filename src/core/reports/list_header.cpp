#include "reports/list_header.h"

#include <algorithm>
#include <optional>

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

ListHeaderReader::ListHeaderReader(HeaderTextTable& texts) : m_texts(texts) {}

void ListHeaderReader::Read(std::string_view line)
{
    const std::string_view code = RecordCode(line);
    if (code == kDateRecordCode) {
        const ListDate date = DateOf(line);
        const std::int32_t key = DateKey({date.day, date.month, date.year});
        m_header.firstDate = m_header.dated ? std::min(m_header.firstDate, key) : key;
        m_header.lastDate = m_header.dated ? std::max(m_header.lastDate, key) : key;
        m_header.dated = true;
    }
    m_itemsBegun = m_itemsBegun || EndsOfferedValues(code);
    for (const HeaderValuePlace& place : HeaderValuesOf(code)) {
        if (place.number == 0)
            continue;
        // Most values lie whole within their lines: only a short line's are padded.
        std::string_view text = FieldWithinLine(line, place.field);
        if (text.size() < place.field.width) {
            m_padded = Field(line, place.field);
            text = m_padded;
        }
        const HeaderValueMention mention{static_cast<std::uint8_t>(place.number), !m_itemsBegun,
                                         m_texts.NumberOf(text)};
        const bool known =
            std::any_of(m_header.values.begin(), m_header.values.end(), [&](const auto& value) {
                return value.number == mention.number && value.text == mention.text;
            });
        if (!known)
            m_header.values.push_back(mention);
    }
}

ListHeader ListHeaderReader::Take()
{
    ListHeader header = std::move(m_header);
    m_header = {};
    m_itemsBegun = false;
    return header;
}

} // namespace zvk
