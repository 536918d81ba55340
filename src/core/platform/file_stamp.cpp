#include "platform/file_stamp.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include "platform/path_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#endif

namespace zvk {
namespace {

// Files asked for by one thread at a time: enough to make the hand-over cheap, few
// enough that the first lists are soon there.
constexpr std::size_t kPartFiles = 256;

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

#ifdef _WIN32
std::optional<FileStamp> StampAt(const std::filesystem::path& path)
{
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
}
#else
std::optional<FileStamp> StampAt(int folder, const char* name)
{
    struct stat status
    {
    };
    if (::fstatat(folder, name, &status, 0) != 0)
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
}
#endif

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

FolderStamps::FolderStamps(const std::filesystem::path& folder,
                           const std::vector<std::string>& names)
    : m_names(names),
#ifdef _WIN32
      m_folder(folder),
#else
      m_folder(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
#endif
      m_stamps(names.size()), m_partCount((names.size() + kPartFiles - 1) / kPartFiles),
      m_partDone(std::make_unique<std::atomic<bool>[]>(m_partCount))
{
    constexpr std::size_t kFilesPerHelperAtLeast = 1024;
    constexpr std::size_t kHelpersAtMost = 7;
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t helpers =
        std::min({cores - 1, names.size() / kFilesPerHelperAtLeast, kHelpersAtMost});
    try {
        for (std::size_t helper = 0; helper < helpers; ++helper)
            m_helpers.emplace_back([this] {
                while (StampNextPart()) {
                }
            });
    } catch (const std::system_error&) {
        // A system out of threads: the caller asks for the stamps as it wants them.
    }
}

FolderStamps::~FolderStamps()
{
    m_nextPart = m_partCount; // the parts not yet taken are not wanted any more
    m_helpers.clear();
#ifndef _WIN32
    if (m_folder >= 0)
        ::close(m_folder);
#endif
}

const std::optional<FileStamp>& FolderStamps::Of(std::size_t file)
{
    std::atomic<bool>& done = m_partDone[file / kPartFiles];
    while (!done.load(std::memory_order_acquire))
        if (!StampNextPart())
            done.wait(false, std::memory_order_acquire); // a helper is taking that part
    return m_stamps[file];
}

bool FolderStamps::StampNextPart()
{
    const std::size_t part = m_nextPart.fetch_add(1);
    if (part >= m_partCount)
        return false;
    const std::size_t end = std::min(m_names.size(), (part + 1) * kPartFiles);
    for (std::size_t file = part * kPartFiles; file < end; ++file)
        m_stamps[file] = StampOf(file);
    m_partDone[part].store(true, std::memory_order_release);
    m_partDone[part].notify_all();
    return true;
}

std::optional<FileStamp> FolderStamps::StampOf(std::size_t file) const
{
#ifdef _WIN32
    return StampAt(m_folder / PathFromText(m_names[file]));
#else
    return m_folder < 0 ? std::nullopt : StampAt(m_folder, m_names[file].c_str());
#endif
}

} // namespace zvk
