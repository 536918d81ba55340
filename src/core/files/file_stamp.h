#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace zvk {

// What the system says of a file without opening it: which file it is, its size and
// the times of its last changes. A file whose stamp is the same as before still has
// the bytes it had: a write changes the modification time, and any change of the file,
// even of its permissions or of a modification time set back by hand, changes the
// status time (Windows' change time), as does a new file under an old name. No creation
// time is part of it: NTFS gives a file made under the name of one deleted a moment
// before that file's creation time.
struct FileStamp
{
    std::uint64_t device = 0; // the identity: POSIX device and inode, on Windows
    std::uint64_t file = 0;   // 0 and the file id
    std::uint64_t size = 0;
    std::int64_t modified = 0; // in the system's own units
    std::int64_t statusChanged = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Whether the file's last change lies at least `margin` back: the system keeps its
// times in steps of a few milliseconds, so a file changed twice within one step
// keeps its stamp, and only a settled stamp tells that the bytes are still those read.
bool IsSettled(const FileStamp& stamp, std::chrono::nanoseconds margin);

// The stamps of the files `names` (as PathText gives them) of one folder, symbolic
// links followed; nothing for a file that is not there or cannot be asked about.
// POSIX answers for one file at a time, in a microsecond or two for a file in its
// cache, which over a ten-year archive of 50,000 lists is a good part of a report:
// helper threads ask for them, part after part in the files' order, from the moment
// this is made, so that the caller reads its index and its first lists meanwhile; a
// stamp not yet there when it is wanted is asked for by the caller too. Windows gives
// every stamp with one listing of the folder, taken when this is made; a link there
// has no stamp, so a list reached through one is always read.
class FolderStamps
{
public:
    FolderStamps(const std::filesystem::path& folder, const std::vector<std::string>& names);
    FolderStamps(const FolderStamps&) = delete;
    FolderStamps& operator=(const FolderStamps&) = delete;
    ~FolderStamps();

    // The stamp of file number `file`, taken before this returned.
    const std::optional<FileStamp>& StampOf(std::size_t file);

private:
#ifndef _WIN32
    // Takes the stamps of the next part no thread has taken; false when none is left.
    bool StampNextPart();
#endif

    std::vector<std::optional<FileStamp>> m_stamps;
#ifndef _WIN32
    const std::vector<std::string>& m_names;
    int m_folder = -1; // descriptor the files are asked for by name in
    std::size_t m_partCount = 0;
    std::unique_ptr<std::atomic<bool>[]> m_partDone;
    std::atomic<std::size_t> m_nextPart{0};
    // A part's taker wakes those that wait for it. Never a wait on an atomic: the C++
    // runtime of mingw-w64 loses its wake-ups, and the program keeps to one way.
    std::mutex m_partMutex;
    std::condition_variable m_partTaken;
    std::vector<std::jthread> m_helpers;
#endif
};

} // namespace zvk
