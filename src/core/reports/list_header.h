#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace zvk {

// The header texts of many lists, each kept once: a folder's lists repeat the same
// few forest, district and buyer names, and a ten-year archive holds 50,000 lists.
// The texts lie end to end in one block; the table that finds a text's number is made
// only when a text is looked up, which a report over unchanged lists never does.
class HeaderTextTable
{
public:
    HeaderTextTable();
    HeaderTextTable(const HeaderTextTable&) = delete;
    HeaderTextTable& operator=(const HeaderTextTable&) = delete;
    HeaderTextTable(HeaderTextTable&& other) noexcept;
    HeaderTextTable& operator=(HeaderTextTable&&) = delete;

    // The number of `text`, added when it is new.
    std::uint32_t NumberOf(std::string_view text);
    // Adds `text` under the next number without looking whether it is known: for an
    // index read back, whose texts were each written once.
    void Append(std::string_view text);
    std::string_view Text(std::uint32_t number) const;
    std::uint32_t Size() const;

private:
    // Hashes and compares numbers by their texts, and texts looked up as they are.
    struct ByText
    {
        using is_transparent = void;
        const HeaderTextTable* table;
        std::size_t operator()(std::uint32_t number) const;
        std::size_t operator()(std::string_view text) const;
        bool operator()(std::uint32_t a, std::uint32_t b) const;
        bool operator()(std::string_view a, std::uint32_t b) const;
        bool operator()(std::uint32_t a, std::string_view b) const;
    };

    std::string m_bytes;
    std::vector<std::uint32_t> m_ends; // of each text in m_bytes
    std::unordered_set<std::uint32_t, ByText, ByText> m_numbers;
};

// One header value that a list holds: value `number` (1 to 29) with a text, and
// whether the report dialog offers it as a criterion (it stands before the list's
// first log or stacked-wood item).
struct HeaderValueMention
{
    std::uint8_t number = 0;
    bool offered = false;
    std::uint32_t text = 0; // in the list's HeaderTextTable
};

// What the report's filter and the dialog's value combos need to know of a list:
// the range of its dates and every header value it holds, each distinct one once,
// in the order of their first appearance. A list's verdict and the texts it offers
// follow from its header alone, so that it need not be opened again while it is
// unchanged.
struct ListHeader
{
    bool dated = false; // has a date record
    std::int32_t firstDate = 0;
    std::int32_t lastDate = 0;
    std::vector<HeaderValueMention> values;
    // One of its date records is no day of the calendar: an impossible day or month,
    // or no digits.
    bool impossibleDate = false;
};

// The header of the list whose bytes (or one line of it) are `bytes`, its texts kept in
// `texts`.
ListHeader ReadListHeader(std::string_view bytes, HeaderTextTable& texts);

} // namespace zvk
