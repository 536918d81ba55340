#include "files/exclusive_file_lock.h"

#include <cerrno>
#include <system_error>

#include "text/path_text.h"

#ifdef _WIN32
#include <windows.h>

#include "system/system_reason.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace zvk {
namespace {

Unexpected<Failure> CannotLock(const std::filesystem::path& path, const std::error_code& reason)
{
    return Fail("cannot lock " + PathText(path) + ": " + reason.message(),
                {path, reason, FileFailure::Access::Writing});
}

} // namespace

#ifdef _WIN32

// LockFileEx belongs to the open handle, not to the process, so two locks of one process
// keep each other out as well. The file itself stays open to everyone, so that a holder
// never stops another from seeing that it is held.
Result<std::unique_ptr<ExclusiveFileLock>>
ExclusiveFileLock::Take(const std::filesystem::path& path)
{
    // Not shared for deletion: nobody deletes the file while a holder has it open.
    constexpr DWORD kSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kSharing, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    // A lock needs no writing: an existing lock file in a folder that became read-only
    // still serves. When there is none, the first reason is the one to tell.
    if (handle == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
        const std::error_code denied = LastWindowsError();
        handle = CreateFileW(path.c_str(), GENERIC_READ, kSharing, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return CannotLock(path, denied);
    }
    if (handle == INVALID_HANDLE_VALUE)
        return CannotLock(path, LastWindowsError());
    OVERLAPPED whole{};
    if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                   MAXDWORD, &whole) != 0)
        return std::unique_ptr<ExclusiveFileLock>(new ExclusiveFileLock(handle));
    const DWORD error = GetLastError();
    CloseHandle(handle);
    if (error == ERROR_LOCK_VIOLATION)
        return std::unique_ptr<ExclusiveFileLock>();
    return CannotLock(path, StandardReason({static_cast<int>(error), std::system_category()}));
}

ExclusiveFileLock::ExclusiveFileLock(void* handle) : m_handle(handle) {}

// Closing the handle gives the lock back.
ExclusiveFileLock::~ExclusiveFileLock()
{
    CloseHandle(m_handle);
}

#else

// flock belongs to the open file, not to the process, so two locks of one process keep
// each other out as well.
Result<std::unique_ptr<ExclusiveFileLock>>
ExclusiveFileLock::Take(const std::filesystem::path& path)
{
    int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // A lock needs no writing: an existing lock file in a folder that became read-only
    // still serves. When there is none, the first reason is the one to tell.
    if (descriptor < 0 && (errno == EACCES || errno == EROFS)) {
        const int firstError = errno;
        descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0)
            return CannotLock(path, std::error_code(firstError, std::generic_category()));
    }
    return Lock(path, descriptor);
}

Result<std::unique_ptr<ExclusiveFileLock>>
ExclusiveFileLock::TakeFolder(const std::filesystem::path& folder)
{
    return Lock(folder, open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

Result<std::unique_ptr<ExclusiveFileLock>>
ExclusiveFileLock::Lock(const std::filesystem::path& path, int descriptor)
{
    if (descriptor < 0)
        return CannotLock(path, std::error_code(errno, std::generic_category()));
    if (flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        return std::unique_ptr<ExclusiveFileLock>(new ExclusiveFileLock(descriptor));
    const int error = errno;
    close(descriptor);
    if (error == EWOULDBLOCK)
        return std::unique_ptr<ExclusiveFileLock>();
    return CannotLock(path, std::error_code(error, std::generic_category()));
}

ExclusiveFileLock::ExclusiveFileLock(int descriptor) : m_descriptor(descriptor) {}

ExclusiveFileLock::~ExclusiveFileLock()
{
    close(m_descriptor);
}

#endif

} // namespace zvk
