#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zvk {

// The three kinds of timber that the sorted summary keeps apart. One byte, as the
// item kinds, so that the kind of each line read comes back in a register.
enum class SummaryKind : unsigned char
{
    LongWood,    // "2M" and "2N" items
    StackedWood, // "2O" items
    SawnTimber,  // "2P" items
};

// One group of the sorted summary: the item fields that form its key and the sums
// of its items. Texts are Windows-1250 bytes.
struct CSort
{
    std::string species;        // two characters
    std::string assortment;     // first part of the assortment code
    std::string quality;        // up to three characters
    std::string sizeClass;      // long wood: diameter class; sawn timber: thickness
    std::int64_t count = 0;     // pieces; items for stacked wood
    double volume = 0.0;        // m3
    double stackedVolume = 0.0; // pm, stacked wood only
};

// One item as the summary reads it from its line: the texts are slices of the line.
struct SummaryItem
{
    std::string_view species;
    std::string_view assortment;
    std::string_view quality;
    std::string_view sizeClass;
    std::int32_t count = 0;
    double volume = 0.0;
    double stackedVolume = 0.0;
};

// Counts of pieces and items are summed in 64 bits: a season's archive holds more than
// 32 bits can count (2,150,000 items of 999 pieces), and a count that wrapped printed a
// negative total or none at all.
std::int64_t AddCounts(std::int64_t a, std::int64_t b);

// The key that decides both the group of a record and its place in the list. Keys
// are compared as unsigned bytes, so a species written with a Windows-1250 letter
// above ASCII comes after every ASCII species.
// Written into `key`, whose buffer is reused from item to item.
void SummaryKeyInto(SummaryKind kind, const SummaryItem& item, std::string& key);

// The groups of one kind of timber, in ascending order of their keys, one record
// per key: the order is made while the items are read, so that the summary can
// form its subtotals from neighbours alone.
class SummaryList
{
public:
    explicit SummaryList(SummaryKind kind);

    // Adds one item: to the record of its key, or as a new record in its place.
    void InsertSummary(const SummaryItem& item);
    void Clear();

    SummaryKind Kind() const;
    bool Empty() const;
    std::list<CSort>::const_iterator begin() const;
    std::list<CSort>::const_iterator end() const;

private:
    SummaryKind m_kind;
    std::list<CSort> m_records;
    // The record of each key, so that a season's thousands of groups are found by
    // key instead of by walking the list from its head: by hashing for the items
    // of a known group, in key order for the place of a new one.
    std::unordered_map<std::string, std::list<CSort>::iterator> m_groups;
    std::map<std::string, std::list<CSort>::iterator> m_order;
    std::string m_key;
};

// The summary lists of one report or consignment note.
struct SummaryLists
{
    SummaryList longWood{SummaryKind::LongWood};
    SummaryList stackedWood{SummaryKind::StackedWood};
    SummaryList sawnTimber{SummaryKind::SawnTimber};

    SummaryList& Of(SummaryKind kind);

    void Clear();
};

} // namespace zvk
