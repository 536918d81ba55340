#include "platform/file_stamp.h"

#include <algorithm>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <time.h>
#endif

namespace zvk {
namespace {

#ifdef _WIN32
std::uint64_t Joined(DWORD high, DWORD low)
{
    return (static_cast<std::uint64_t>(high) << 32) | low;
}
#endif

// Now, in the units of FileStamp's times.
std::int64_t Now()
{
#ifdef _WIN32
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return static_cast<std::int64_t>(Joined(now.dwHighDateTime, now.dwLowDateTime));
#else
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
#endif
}

// The stamp of the file at `path` (a symbolic link followed); nothing when there is no
// such file or it cannot be asked about.
std::optional<FileStamp> StampOf(const std::filesystem::path& path)
{
#ifdef _WIN32
    // The attributes come from the folder's entry: a file is not opened for them.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    FileStamp stamp;
    stamp.file = Joined(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime);
    stamp.size = Joined(data.nFileSizeHigh, data.nFileSizeLow);
    stamp.modified = static_cast<std::int64_t>(
        Joined(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime));
    return stamp;
#else
    struct stat status
    {
    };
    if (::stat(path.c_str(), &status) != 0)
        return std::nullopt;
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(status.st_dev);
    stamp.file = static_cast<std::uint64_t>(status.st_ino);
    stamp.size = static_cast<std::uint64_t>(status.st_size);
    stamp.modified =
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    stamp.statusChanged =
        static_cast<std::int64_t>(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec;
    return stamp;
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

std::vector<std::optional<FileStamp>> StampsOf(const std::vector<std::filesystem::path>& paths)
{
    constexpr std::size_t kFilesPerThreadAtLeast = 1024;
    constexpr std::size_t kThreadsAtMost = 8;
    std::vector<std::optional<FileStamp>> stamps(paths.size());
    const std::size_t threads =
        std::clamp<std::size_t>(std::min<std::size_t>(std::thread::hardware_concurrency(),
                                                      paths.size() / kFilesPerThreadAtLeast),
                                1, kThreadsAtMost);
    const auto stampPart = [&](std::size_t part) {
        for (std::size_t file = part; file < paths.size(); file += threads)
            stamps[file] = StampOf(paths[file]);
    };
    {
        std::vector<std::jthread> helpers;
        std::size_t part = 1;
        try {
            for (; part < threads; ++part)
                helpers.emplace_back(stampPart, part);
        } catch (const std::system_error&) {
            // A system out of threads: this one asks for the parts left.
        }
        for (; part < threads; ++part)
            stampPart(part);
        stampPart(0);
    }
    return stamps;
}

} // namespace zvk
