#include "platform/output_file.h"

#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>

#include "platform/system_reason.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zvk {
namespace {

// Paths are opened in the system's own form: wide on Windows, so that names with
// Slovak letters open there too, and always as bytes. Elsewhere the file is not handed
// on to programs that the process starts (a viewer), which would otherwise keep a
// writer's claim on it.
enum class Mode
{
    Read,
    Write,
    WriteNew
};

std::FILE* OpenForBytes(const std::filesystem::path& path, Mode mode)
{
#ifdef _WIN32
    constexpr const wchar_t* kModes[] = {L"rb", L"wb", L"wbx"};
    return _wfopen(path.c_str(), kModes[static_cast<int>(mode)]);
#else
    constexpr const char* kModes[] = {"rbe", "wbe", "wbxe"};
    return std::fopen(path.c_str(), kModes[static_cast<int>(mode)]);
#endif
}

#ifdef _WIN32
std::error_code MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to,
                              DWORD flags)
{
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | flags) != 0)
        return {};
    return LastWindowsError();
}
#endif

} // namespace

std::FILE* OpenNewFile(const std::filesystem::path& path)
{
    return OpenForBytes(path, Mode::WriteNew);
}

std::FILE* OpenFileForWriting(const std::filesystem::path& path)
{
    return OpenForBytes(path, Mode::Write);
}

std::FILE* OpenFileForReading(const std::filesystem::path& path)
{
    return OpenForBytes(path, Mode::Read);
}

std::error_code RenameReplacing(const std::filesystem::path& from, const std::filesystem::path& to)
{
#ifdef _WIN32
    return MoveReplacing(from, to, MOVEFILE_WRITE_THROUGH);
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
    return MoveReplacing(from, to, 0);
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
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0)
        return {};
    return LastWindowsError();
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
