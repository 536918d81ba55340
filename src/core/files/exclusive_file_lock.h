#pragma once

#include <filesystem>
#include <memory>

#include "system/result.h"

namespace zvk {

// An exclusive lock on a file, given back when it is destroyed. It keeps out every other
// holder: other processes and other locks of this process on the same file alike. The
// system gives it back when its process ends, however it ends, so a crashed holder never
// leaves it held. The file is created when missing and left in place: removing it would
// let two holders lock two different files of the same name; on Windows nobody can delete
// it while it is held.
class ExclusiveFileLock
{
public:
    // Tries the lock once without waiting: no lock when another holder has it, a failure
    // naming the file and the system's reason when it cannot be made or locked.
    static Result<std::unique_ptr<ExclusiveFileLock>> Take(const std::filesystem::path& path);
#ifndef _WIN32
    // The same on an existing folder, which nobody removes while it holds files. Windows
    // locks no folder.
    static Result<std::unique_ptr<ExclusiveFileLock>>
    TakeFolder(const std::filesystem::path& folder);
#endif

    ~ExclusiveFileLock();
    ExclusiveFileLock(const ExclusiveFileLock&) = delete;
    ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

private:
#ifdef _WIN32
    explicit ExclusiveFileLock(void* handle);

    void* m_handle;
#else
    explicit ExclusiveFileLock(int descriptor);
    // Locks the open `descriptor` (given back either way), or says why `path` cannot be.
    static Result<std::unique_ptr<ExclusiveFileLock>> Lock(const std::filesystem::path& path,
                                                           int descriptor);

    int m_descriptor;
#endif
};

} // namespace zvk
