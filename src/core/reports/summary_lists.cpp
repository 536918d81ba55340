#include "reports/summary_lists.h"

#include <cstddef>
#include <cstdint>
#include <utility>

namespace zvk {
std::int64_t AddCounts(std::int64_t a, std::int64_t b)
{
    return a + b;
}

void SummaryKeyInto(SummaryKind kind, const SummaryItem& record, std::string& key)
{
    key.clear();
    key += record.species;
    key += record.assortment;
    switch (kind) {
    case SummaryKind::LongWood:
        key += record.quality;
        key += record.sizeClass;
        break;
    case SummaryKind::StackedWood:
        key += record.quality;
        key += "  ";
        break;
    case SummaryKind::SawnTimber:
        // Quality codes are compared right-aligned: "B" before "IV" before "III".
        if (record.quality.size() < 3)
            key.append(3 - record.quality.size(), ' ');
        key += record.quality;
        key += record.sizeClass;
        break;
    }
}

SummaryList::SummaryList(SummaryKind kind) : m_kind(kind) {}

void SummaryList::InsertSummary(const SummaryItem& item)
{
    SummaryKeyInto(m_kind, item, m_key);
    if (const auto known = m_groups.find(m_key); known != m_groups.end()) {
        CSort& group = *known->second;
        group.count = AddCounts(group.count, item.count);
        group.volume += item.volume;
        group.stackedVolume += item.stackedVolume;
        return;
    }
    // std::map orders its keys as std::string compares them: bytes as unsigned values.
    const auto next = m_order.upper_bound(m_key);
    const auto record = m_records.insert(
        next == m_order.end() ? m_records.end() : next->second,
        CSort{std::string(item.species), std::string(item.assortment), std::string(item.quality),
              std::string(item.sizeClass), item.count, item.volume, item.stackedVolume});
    m_order.emplace_hint(next, m_key, record);
    m_groups.emplace(m_key, record);
}

void SummaryList::Clear()
{
    m_records.clear();
    m_groups.clear();
    m_order.clear();
}

SummaryKind SummaryList::Kind() const
{
    return m_kind;
}

bool SummaryList::Empty() const
{
    return m_records.empty();
}

std::list<CSort>::const_iterator SummaryList::begin() const
{
    return m_records.begin();
}

std::list<CSort>::const_iterator SummaryList::end() const
{
    return m_records.end();
}

SummaryList& SummaryLists::Of(SummaryKind kind)
{
    switch (kind) {
    case SummaryKind::LongWood:
        return longWood;
    case SummaryKind::StackedWood:
        return stackedWood;
    case SummaryKind::SawnTimber:
        break;
    }
    return sawnTimber;
}

void SummaryLists::Clear()
{
    longWood.Clear();
    stackedWood.Clear();
    sawnTimber.Clear();
}

} // namespace zvk
