#include "platform/output_file.h"

#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zvk {
namespace {

// Paths are opened in the system's own form: wide on Windows, so that names with
// Slovak letters open there too. Elsewhere the file is not handed on to programs that
// the process starts (a viewer), which would otherwise keep a writer's claim on it.
std::FILE* OpenForBytes(const std::filesystem::path& path, bool onlyNew)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), onlyNew ? L"wbx" : L"wb");
#else
    return std::fopen(path.c_str(), onlyNew ? "wbxe" : "wbe");
#endif
}

} // namespace

std::FILE* OpenNewFile(const std::filesystem::path& path)
{
    return OpenForBytes(path, true);
}

std::FILE* OpenFileForWriting(const std::filesystem::path& path)
{
    return OpenForBytes(path, false);
}

std::error_code RenameReplacingWithoutWriteBack(const std::filesystem::path& from,
                                                const std::filesystem::path& to)
{
    std::error_code ec;
#ifndef _WIN32
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0) {
        std::filesystem::remove(from, ec);
        return {};
    }
#endif
    // Nothing to exchange with, or no exchange on this file system.
    std::filesystem::rename(from, to, ec);
    return ec;
}

std::error_code RenameWithoutReplacing(const std::filesystem::path& from,
                                       const std::filesystem::path& to)
{
#ifdef _WIN32
    if (MoveFileExW(from.c_str(), to.c_str(), 0) != 0)
        return {};
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
        return std::make_error_code(std::errc::file_exists);
    return {static_cast<int>(error), std::system_category()};
#else
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS)
        return {errno, std::generic_category()};
    // File systems without that rename (NFS among them) can still make a second name
    // only where none exists, and then drop the first.
    if (link(from.c_str(), to.c_str()) != 0)
        return {errno, std::generic_category()};
    unlink(from.c_str());
    return {};
#endif
}

} // namespace zvk
