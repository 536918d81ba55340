#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace zvk {

// What the system says of a file without opening it: which file it is, its size and
// the times of its last changes. A file whose stamp is the same as before still has
// the bytes it had: a new file under an old name has another identity, a write
// changes the modification time, and on POSIX any change of the file, even of its
// permissions or of a modification time set back by hand, changes the status time.
struct FileStamp
{
    std::uint64_t device = 0; // the identity: POSIX device and inode, on Windows
    std::uint64_t file = 0;   // 0 and the creation time
    std::uint64_t size = 0;
    std::int64_t modified = 0;      // in the system's own units
    std::int64_t statusChanged = 0; // POSIX only; 0 on Windows

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Whether the file's last change lies at least `margin` back: the system keeps its
// times in steps of a few milliseconds, so a file changed twice within one step
// keeps its stamp, and only a settled stamp tells that the bytes are still those read.
bool IsSettled(const FileStamp& stamp, std::chrono::nanoseconds margin);

// The stamps of many files (symbolic links followed; nothing for a file that is not
// there or cannot be asked about), asked for on several threads: the system answers for a
// file in its cache in a microsecond or two, which over a ten-year archive of 50,000
// lists is most of a report, and for one on the disk only as fast as it is asked.
std::vector<std::optional<FileStamp>> StampsOf(const std::vector<std::filesystem::path>& paths);

} // namespace zvk
