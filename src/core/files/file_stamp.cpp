#include "files/file_stamp.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace zvk {
namespace {

// Now, in the units of FileStamp's times.
std::int64_t Now()
{
#ifdef _WIN32
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) |
                                     now.dwLowDateTime);
#else
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
#endif
}

} // namespace

bool IsSettled(const FileStamp& stamp, std::chrono::nanoseconds margin)
{
#ifdef _WIN32
    const std::int64_t units = margin.count() / 100; // FILETIME counts 100 ns
#else
    const std::int64_t units = margin.count();
#endif
    const std::int64_t latest = Now() - units;
    return stamp.modified <= latest && stamp.statusChanged <= latest;
}

} // namespace zvk
