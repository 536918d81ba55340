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

std::uint32_t HeaderTextTable::NumberOf(std::string_view text)
{
    if (const auto found = m_numbers.find(text); found != m_numbers.end())
        return found->second;
    const auto number = static_cast<std::uint32_t>(m_texts.size());
    m_texts.emplace_back(text);
    m_numbers.emplace(m_texts.back(), number);
    return number;
}

std::string_view HeaderTextTable::Text(std::uint32_t number) const
{
    return m_texts[number];
}

std::uint32_t HeaderTextTable::Size() const
{
    return static_cast<std::uint32_t>(m_texts.size());
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
        const HeaderValueMention mention{static_cast<std::uint8_t>(place.number), !m_itemsBegun,
                                         m_texts.NumberOf(Field(line, place.field))};
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
