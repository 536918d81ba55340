#include "platform/exclusive_file_lock.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace zvk {
namespace {

std::string CannotLock(const std::filesystem::path& path, const std::error_code& reason)
{
    return "cannot lock " + path.string() + ": " + reason.message();
}

} // namespace

#ifdef _WIN32

// A file opened without sharing is the lock: nobody else can open it until it is closed.
ExclusiveFileLock::ExclusiveFileLock(const std::filesystem::path& path)
{
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        m_handle = handle;
        return;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION)
        m_error =
            CannotLock(path, std::error_code(static_cast<int>(error), std::system_category()));
}

ExclusiveFileLock::~ExclusiveFileLock()
{
    if (m_handle != nullptr)
        CloseHandle(m_handle);
}

bool ExclusiveFileLock::Held() const
{
    return m_handle != nullptr;
}

#else

// flock belongs to the open file, not to the process, so two locks of one process keep
// each other out as well.
ExclusiveFileLock::ExclusiveFileLock(const std::filesystem::path& path)
{
    m_descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    // A lock needs no writing: an existing lock file in a folder that became read-only
    // still serves.
    if (m_descriptor < 0 && (errno == EACCES || errno == EROFS))
        m_descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_descriptor < 0) {
        m_error = CannotLock(path, std::error_code(errno, std::generic_category()));
        return;
    }
    if (flock(m_descriptor, LOCK_EX | LOCK_NB) == 0)
        return;
    const int error = errno;
    close(m_descriptor);
    m_descriptor = -1;
    if (error != EWOULDBLOCK)
        m_error = CannotLock(path, std::error_code(error, std::generic_category()));
}

ExclusiveFileLock::~ExclusiveFileLock()
{
    if (m_descriptor >= 0)
        close(m_descriptor);
}

bool ExclusiveFileLock::Held() const
{
    return m_descriptor >= 0;
}

#endif

const std::string& ExclusiveFileLock::Error() const
{
    return m_error;
}

} // namespace zvk
