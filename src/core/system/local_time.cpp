#include "system/local_time.h"

#include <ctime>

namespace zvk {
namespace {

std::string TwoDigits(int value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

} // namespace

LocalTime CurrentLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
#ifdef _WIN32
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::string FileNameTimeText(const LocalTime& time)
{
    return std::to_string(time.year) + TwoDigits(time.month) + TwoDigits(time.day) + "-" +
           TwoDigits(time.hour) + TwoDigits(time.minute) + TwoDigits(time.second);
}

std::string ReadableTimeText(const LocalTime& time)
{
    return std::to_string(time.year) + "-" + TwoDigits(time.month) + "-" + TwoDigits(time.day) +
           " " + TwoDigits(time.hour) + ":" + TwoDigits(time.minute) + ":" + TwoDigits(time.second);
}

} // namespace zvk
