#include "files/output_file.h"

#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>

#include "files/windows_refusal.h"
#include "system/system_reason.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zvk {
namespace {

std::error_code Errno()
{
    return {errno, std::generic_category()};
}

#ifdef _WIN32

// Another program may hold a file for a moment: an antivirus or the search indexer that
// opens a list just written, a viewer that reads a document. Windows refuses what such a
// holder does not share, so the step is tried again for about two seconds, waiting a
// little longer each time, before the file is said to be held.
constexpr DWORD kHeldPatienceMs = 2000;
constexpr DWORD kFirstPauseMs = 10;
constexpr DWORD kLongestPauseMs = 500;

// What a holder's open handle makes Windows answer. A rename over a held file is denied
// access as well: the folder lets the writer make files, or it would not have its
// temporary file, so a denied rename is a holder too.
enum class Step
{
    Open,
    Rename,
};

bool HeldAnswer(DWORD error, Step step)
{
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
        return true;
    case ERROR_ACCESS_DENIED:
        return step == Step::Rename;
    default:
        return false;
    }
}

// Runs `attempt` (a Windows error, ERROR_SUCCESS when done) again while a holder refuses
// it and patience lasts; the reason of the last refusal.
template <class Attempt> std::error_code WhileHeld(Step step, Attempt attempt)
{
    DWORD error = attempt();
    DWORD waited = 0;
    for (DWORD pause = kFirstPauseMs;
         error != ERROR_SUCCESS && HeldAnswer(error, step) && waited < kHeldPatienceMs;
         pause = std::min(2 * pause, kLongestPauseMs)) {
        Sleep(pause);
        waited += pause;
        error = attempt();
    }
    if (error == ERROR_SUCCESS)
        return {};
    if (HeldAnswer(error, step))
        return WindowsRefusal::HeldByAnotherProgram;
    return StandardReason({static_cast<int>(error), std::system_category()});
}

DWORD LastErrorUnless(BOOL succeeded)
{
    return succeeded != 0 ? ERROR_SUCCESS : GetLastError();
}

// Opens through the system itself, where the C runtime's own modes lack what is needed
// (msvcrt.dll knows no mode that creates only a new file), and gives the handle to the
// runtime as the stream the writers use. Not handed on to programs the process starts.
OpenedFile OpenStream(const std::filesystem::path& path, DWORD access, DWORD sharing,
                      DWORD disposition)
{
    HANDLE handle = INVALID_HANDLE_VALUE;
    const std::error_code reason = WhileHeld(Step::Open, [&] {
        handle = CreateFileW(path.c_str(), access, sharing, nullptr, disposition,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        return handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    });
    if (reason)
        return Unexpected(reason);
    const bool reading = access == GENERIC_READ;
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle),
                                           reading ? _O_RDONLY | _O_BINARY : _O_BINARY);
    if (descriptor == -1) {
        const std::error_code runtime = Errno();
        CloseHandle(handle);
        return Unexpected(runtime);
    }
    std::FILE* file = _fdopen(descriptor, reading ? "rb" : "wb");
    if (file == nullptr) {
        const std::error_code runtime = Errno();
        _close(descriptor);
        return Unexpected(runtime);
    }
    return file;
}

// Makes the replacement of a file reach the disk: Windows has no write-through for a
// replace, but flushing the file commits its entry with it.
DWORD FlushToDisk(const std::filesystem::path& path)
{
    const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError();
    const DWORD error = LastErrorUnless(FlushFileBuffers(handle));
    CloseHandle(handle);
    return error;
}

// Whether a holder keeps `path` from being replaced: ERROR_SUCCESS when nobody does or
// there is no such file. Asked before a replace, since Wine's ReplaceFileW leaves a file
// of its own behind each time a holder refuses it.
DWORD ReplaceableOrGone(const std::filesystem::path& path)
{
    const HANDLE handle =
        CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : GetLastError();
    CloseHandle(handle);
    return ERROR_SUCCESS;
}

// A file that exists is replaced with ReplaceFileW, which gives the new file the access
// rights, attributes and streams of the one it replaces, as an edit in place would;
// otherwise the new file only takes the name. The attributes are set again after it:
// Wine's ReplaceFileW does not keep them, and a file hidden or kept out of the search
// index by its user stays so whoever replaces it.
std::error_code MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                              bool writeThrough)
{
    constexpr DWORD kKeepGoing = REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS;
    const DWORD moveFlags = MOVEFILE_REPLACE_EXISTING | (writeThrough ? MOVEFILE_WRITE_THROUGH : 0);
    const DWORD attributes = GetFileAttributesW(to.c_str());
    bool replaced = false;
    const std::error_code moved = WhileHeld(Step::Rename, [&] {
        if (const DWORD held = ReplaceableOrGone(to); held != ERROR_SUCCESS)
            return held;
        const DWORD error = LastErrorUnless(
            ReplaceFileW(to.c_str(), from.c_str(), nullptr, kKeepGoing, nullptr, nullptr));
        replaced = error == ERROR_SUCCESS;
        // No file to replace, or one that went away meanwhile.
        if (error == ERROR_FILE_NOT_FOUND)
            return LastErrorUnless(MoveFileExW(from.c_str(), to.c_str(), moveFlags));
        return error;
    });
    if (moved || !replaced)
        return moved;
    if (attributes != INVALID_FILE_ATTRIBUTES && GetFileAttributesW(to.c_str()) != attributes)
        SetFileAttributesW(to.c_str(), attributes);
    if (!writeThrough)
        return {};
    return WhileHeld(Step::Open, [&] { return FlushToDisk(to); });
}

#else

// Opened as bytes and not handed on to programs that the process starts (a viewer),
// which would keep a writer's claim on it: `mode` ends in "e".
OpenedFile OpenWithMode(const std::filesystem::path& path, const char* mode)
{
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (file == nullptr)
        return Unexpected(Errno());
    return file;
}

#endif

} // namespace

OpenedFile OpenNewFile(const std::filesystem::path& path)
{
#ifdef _WIN32
    return OpenStream(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, CREATE_NEW);
#else
    return OpenWithMode(path, "wbxe");
#endif
}

OpenedFile OpenFileForWriting(const std::filesystem::path& path)
{
#ifdef _WIN32
    return OpenStream(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, CREATE_ALWAYS);
#else
    return OpenWithMode(path, "wbe");
#endif
}

OpenedFile OpenFileForAppending(const std::filesystem::path& path)
{
#ifdef _WIN32
    // A mode msvcrt.dll knows: appending, and reading the last byte before.
    std::FILE* file = _wfopen(path.c_str(), L"a+b");
    if (file == nullptr)
        return Unexpected(Errno());
    return file;
#else
    return OpenWithMode(path, "a+be");
#endif
}

OpenedFile OpenFileForReading(const std::filesystem::path& path)
{
#ifdef _WIN32
    return OpenStream(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      OPEN_EXISTING);
#else
    return OpenWithMode(path, "rbe");
#endif
}

std::error_code RenameReplacing(const std::filesystem::path& from, const std::filesystem::path& to)
{
#ifdef _WIN32
    return MoveReplacing(from, to, true);
#else
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    return ec;
#endif
}

std::error_code RenameReplacingWithoutWriteBack(const std::filesystem::path& from,
                                                const std::filesystem::path& to)
{
#ifdef _WIN32
    return MoveReplacing(from, to, false);
#else
    std::error_code ec;
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0) {
        std::filesystem::remove(from, ec);
        return {};
    }
    // Nothing to exchange with, or no exchange on this file system.
    std::filesystem::rename(from, to, ec);
    return ec;
#endif
}

std::error_code RenameWithoutReplacing(const std::filesystem::path& from,
                                       const std::filesystem::path& to)
{
#ifdef _WIN32
    // Written through, as a replacing rename is: a received list takes its name this way.
    return WhileHeld(Step::Rename, [&] {
        return LastErrorUnless(MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH));
    });
#else
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS)
        return Errno();
    // File systems without that rename (NFS among them) can still make a second name
    // only where none exists, and then drop the first.
    if (link(from.c_str(), to.c_str()) != 0)
        return Errno();
    unlink(from.c_str());
    return {};
#endif
}

} // namespace zvk
