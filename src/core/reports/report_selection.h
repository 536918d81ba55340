#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lists/record_layout.h"

namespace zvk {

inline constexpr int kCriteriaRowCount = 5;

// A day as the date pickers give it.
struct CalendarDate
{
    int day = 0;
    int month = 0;
    int year = 0;
};

// year * 10000 + month * 100 + day: a later day has a larger key.
std::int32_t DateKey(const CalendarDate& date);

// Whether `date` is a day of the calendar: a month of 1 to 12 and a day that month has.
bool IsCalendarDay(const CalendarDate& date);

// One row of the report dialog: the caption chosen in its left combo and the text
// chosen in its right combo.
struct CriteriaRow
{
    // Selection index of the caption combo: 0 the empty entry, 1 to 29 a header
    // value, -1 nothing selected.
    int valueNumber = -1;
    // The caption as the combo shows it ("Riadok" n of the configuration file).
    std::string caption;
    // One of the texts the lists hold for that header value, 20 Windows-1250 bytes
    // with their trailing spaces; empty when none was chosen.
    std::string chosenText;
};

// What a report covers: the lists dated within [from, to] whose header values
// equal the chosen texts.
struct ReportSelection
{
    CalendarDate from;
    CalendarDate to;
    std::vector<CriteriaRow> rows;

    // The chosen text for header value `valueNumber`, empty when no criterion is in
    // force for it. When several rows choose that value, the last of them decides,
    // even with an empty text.
    std::string GetCriterionValue(int valueNumber) const;
};

} // namespace zvk
