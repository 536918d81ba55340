#include "reports/summary_lists.h"

#include <cstddef>
#include <cstdint>
#include <utility>

#include "reports/text_format.h"

namespace zvk {
std::int32_t AddCounts(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::string SummaryKey(SummaryKind kind, const CSort& record)
{
    switch (kind) {
    case SummaryKind::LongWood:
        return record.species + record.assortment + record.quality + record.sizeClass;
    case SummaryKind::StackedWood:
        return record.species + record.assortment + record.quality + "  ";
    case SummaryKind::SawnTimber:
        // Quality codes are compared right-aligned: "B" before "IV" before "III".
        return FormatText("%s%s%3s%s",
                          {record.species, record.assortment, record.quality, record.sizeClass});
    }
    return {};
}

SummaryList::SummaryList(SummaryKind kind) : m_kind(kind) {}

void SummaryList::InsertSummary(const CSort& item)
{
    std::string key = SummaryKey(m_kind, item);
    std::size_t place = 0;
    for (; place < m_records.size(); ++place) {
        // std::string compares through char_traits<char>: bytes as unsigned values.
        const int order = key.compare(m_keys[place]);
        if (order == 0) {
            CSort& group = m_records[place];
            group.count = AddCounts(group.count, item.count);
            group.volume += item.volume;
            group.stackedVolume += item.stackedVolume;
            return;
        }
        if (order < 0)
            break;
    }
    const auto offset = static_cast<std::ptrdiff_t>(place);
    m_records.insert(m_records.begin() + offset, item);
    m_keys.insert(m_keys.begin() + offset, std::move(key));
}

void SummaryList::Clear()
{
    m_records.clear();
    m_keys.clear();
}

SummaryKind SummaryList::Kind() const
{
    return m_kind;
}

bool SummaryList::Empty() const
{
    return m_records.empty();
}

std::vector<CSort>::const_iterator SummaryList::begin() const
{
    return m_records.begin();
}

std::vector<CSort>::const_iterator SummaryList::end() const
{
    return m_records.end();
}

void SummaryLists::Clear()
{
    longWood.Clear();
    stackedWood.Clear();
    sawnTimber.Clear();
}

} // namespace zvk
