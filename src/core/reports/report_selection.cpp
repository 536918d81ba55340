#include "reports/report_selection.h"

namespace zvk {

std::int32_t DateKey(const CalendarDate& date)
{
    return date.year * 10000 + date.month * 100 + date.day;
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
