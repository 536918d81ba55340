#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "reports/item_reader.h"
#include "reports/list_header.h"
#include "reports/report_selection.h"
#include "reports/summary_lists.h"

namespace zvk {

// Whether a list belongs to the report.
enum class ListVerdict
{
    Belongs,
    LeftOut,
};

// Why the dates of a list do not decide whether a report holds it: without a date
// record it is in every report, whatever the range; a date record that is no day of
// the calendar (31.02.26, 00.00.00, no digits) has a key that falls between two days, so
// that only a range over both holds it.
enum class DateDoubt
{
    NoDateRecord,
    ImpossibleDate,
};

// The doubt about the dates of a list of `header`; none when it has date records and
// each is a day of the calendar.
std::optional<DateDoubt> DateDoubtOf(const ListHeader& header);

// Decides which data lists belong to a report. Header records have the same
// columns in every format version, so the filter needs no version of its own.
class ListFilter
{
public:
    explicit ListFilter(const ReportSelection& selection);

    // The list belongs when every date record of it lies within the range and every
    // header value with a criterion equals it exactly (bytes, letter case and
    // trailing spaces); records a list lacks are not tested.
    ListVerdict Verdict(const ListHeader& header, const HeaderTextTable& texts) const;
    // The doubt about the list's dates when its header values are those chosen, so that
    // its dates alone decide; none for a list whose values leave it out anyway.
    std::optional<DateDoubt> DateDoubtFor(const ListHeader& header,
                                          const HeaderTextTable& texts) const;

private:
    bool ValuesMatch(const ListHeader& header, const HeaderTextTable& texts) const;

    std::int32_t m_firstDay;
    std::int32_t m_lastDay;
    std::array<std::string, kHeaderValueCount + 1> m_criteria; // by value number
};

// Turns the items of data lists into summary records.
class SummaryPass
{
public:
    // Adds the item of one line of a list to `lists`; other records pass over it.
    void AddLine(std::string_view line, SummaryLists& lists);

private:
    ItemReader m_items;
};

} // namespace zvk
