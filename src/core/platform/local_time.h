#pragma once

namespace zvk {

// The desktop's calendar date and clock time.
struct LocalTime
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

LocalTime CurrentLocalTime();

} // namespace zvk
