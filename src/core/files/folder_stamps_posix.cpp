#include "files/file_stamp.h"

#include <algorithm>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zvk {
namespace {

// Files asked for by one thread at a time: enough to make the hand-over cheap, few
// enough that the first lists are soon there.
constexpr std::size_t kPartFiles = 256;

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

} // namespace

FolderStamps::FolderStamps(const std::filesystem::path& folder,
                           const std::vector<std::string>& names)
    : m_stamps(names.size()), m_names(names),
      m_folder(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
      m_partCount((names.size() + kPartFiles - 1) / kPartFiles),
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
    if (m_folder >= 0)
        ::close(m_folder);
}

const std::optional<FileStamp>& FolderStamps::StampOf(std::size_t file)
{
    std::atomic<bool>& done = m_partDone[file / kPartFiles];
    while (!done.load(std::memory_order_acquire)) {
        if (StampNextPart())
            continue;
        // Every part is taken: a helper is still taking this one.
        std::unique_lock lock(m_partMutex);
        m_partTaken.wait(lock, [&done] { return done.load(std::memory_order_acquire); });
    }
    return m_stamps[file];
}

bool FolderStamps::StampNextPart()
{
    const std::size_t part = m_nextPart.fetch_add(1);
    if (part >= m_partCount)
        return false;
    const std::size_t end = std::min(m_names.size(), (part + 1) * kPartFiles);
    for (std::size_t file = part * kPartFiles; file < end; ++file)
        m_stamps[file] = m_folder < 0 ? std::nullopt : StampAt(m_folder, m_names[file].c_str());
    {
        // Set under the lock a waiter tests it under, so that no wake-up falls between.
        const std::lock_guard lock(m_partMutex);
        m_partDone[part].store(true, std::memory_order_release);
    }
    m_partTaken.notify_all();
    return true;
}

} // namespace zvk
