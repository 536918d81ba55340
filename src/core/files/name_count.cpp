#include "files/name_count.h"

#ifdef _WIN32
#include <windows.h>

#include "system/system_reason.h"
#endif

namespace zvk {

#ifdef _WIN32

// Opened for no access at all, which even a file that another program holds without
// sharing allows.
std::uintmax_t NameCount(const std::filesystem::path& path, std::error_code& ec)
{
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ec = LastWindowsError();
        return 0;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    ec = known ? std::error_code() : LastWindowsError();
    CloseHandle(file);
    return known ? information.nNumberOfLinks : 0;
}

#else

std::uintmax_t NameCount(const std::filesystem::path& path, std::error_code& ec)
{
    const std::uintmax_t count = std::filesystem::hard_link_count(path, ec);
    return ec ? 0 : count;
}

#endif

} // namespace zvk
