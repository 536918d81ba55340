#include "reports/report_selection.h"

#include <chrono>

namespace zvk {

std::int32_t DateKey(const CalendarDate& date)
{
    return date.year * 10000 + date.month * 100 + date.day;
}

bool IsCalendarDay(const CalendarDate& date)
{
    // Negative numbers would wrap into plausible months and days.
    if (date.month < 0 || date.day < 0)
        return false;
    return std::chrono::year_month_day{std::chrono::year(date.year),
                                       std::chrono::month(static_cast<unsigned>(date.month)),
                                       std::chrono::day(static_cast<unsigned>(date.day))}
        .ok();
}

std::string ReportSelection::GetCriterionValue(int valueNumber) const
{
    std::string value;
    for (const CriteriaRow& row : rows)
        if (row.valueNumber == valueNumber)
            value = row.chosenText;
    return value;
}

} // namespace zvk
