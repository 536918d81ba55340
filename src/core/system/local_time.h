#pragma once

#include <string>

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

// "20261208-152530": sorts as the times do, and fits in a file name.
std::string FileNameTimeText(const LocalTime& time);
// "2026-12-08 15:25:30", as a clerk reads it.
std::string ReadableTimeText(const LocalTime& time);

} // namespace zvk
