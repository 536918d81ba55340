#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace zvk {

// The temporary name beside `target` under which a file is written before it is
// renamed into place: hidden, and ending in ".tmp" so that no list pattern takes it.
// It is never longer than the target's own name (cut short to make room) or 40
// characters, so that a name that fits has a temporary name that fits.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);

// True for a name that TemporaryPathFor gives: ".NAME.<hex>-<hex>.tmp".
bool IsTemporaryName(std::string_view fileName);

// A writer's hold on its temporary file, for as long as the object lives (even after
// the file itself is closed), that tells a sweep that the file is still being written.
// A writer killed outright loses it with the process, so its file can be recognised
// as abandoned. It is an exclusive lock on the file; on Windows, where a lock ends with
// the handle, the process id in the file's name and, within the process, a set of the
// claimed files.
class TemporaryFileClaim
{
public:
    TemporaryFileClaim() = default;
    ~TemporaryFileClaim();
    TemporaryFileClaim(const TemporaryFileClaim&) = delete;
    TemporaryFileClaim& operator=(const TemporaryFileClaim&) = delete;

    // Claims `file`, just created at `path`. False when the file is already claimed
    // or no longer found at `path` (an abandoned-file sweep took it in the meantime):
    // the writer then starts over under another name.
    bool Claim(std::FILE* file, const std::filesystem::path& path);
    void Release();

private:
    std::filesystem::path m_path;
#ifndef _WIN32
    int m_descriptor = -1;
#endif
};

// Removes every temporary file that a writer of this process holds, for a process about
// to end at once (a second stop signal): it leaves no half-written file behind. Where a
// file cannot be removed while open (Windows), the next writer's sweep removes it.
void RemoveClaimedTemporaryFiles();

// Removes the temporary files in `folder` that no writer holds any more, left by a
// process that was killed while writing. A file that a running writer holds, or one
// whose claim cannot be tested, stays.
void RemoveAbandonedTemporaryFiles(const std::filesystem::path& folder);

// The same, once per folder in the life of the process: writers call it before they
// write into a folder.
void RemoveAbandonedTemporaryFilesOnce(const std::filesystem::path& folder);

} // namespace zvk
