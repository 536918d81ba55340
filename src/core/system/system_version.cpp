#include "system/system_version.h"

#include "system/system_reason.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>

#include <sys/utsname.h>
#endif

namespace zvk {

#ifdef _WIN32
namespace {

// Found by name: GetVersionEx answers with the version in the program's manifest, and
// Wine's own export exists only there.
template <typename Function> Function NtdllFunction(const char* name)
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr)
        return nullptr;
    // Through the generic function type, which converts to any other without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(ntdll, name)));
}

} // namespace

Result<std::string> SystemVersion()
{
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    using WineGetVersionFunction = const char*(CDECL*)();
    const auto getVersion = NtdllFunction<RtlGetVersionFunction>("RtlGetVersion");
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    // RtlGetVersion returns STATUS_SUCCESS, 0.
    if (getVersion == nullptr || getVersion(&info) != 0)
        return Fail("the system does not tell its version");
    std::string version = "Windows " + std::to_string(info.dwMajorVersion) + "." +
                          std::to_string(info.dwMinorVersion) + "." +
                          std::to_string(info.dwBuildNumber);
    if (const auto wine = NtdllFunction<WineGetVersionFunction>("wine_get_version"))
        version += " (Wine " + std::string(wine()) + ")";
    return version;
}

#else

Result<std::string> SystemVersion()
{
    utsname names{};
    if (uname(&names) != 0)
        return Fail("the system does not tell its version: " +
                    StandardReason(std::error_code(errno, std::generic_category())).message());
    return std::string(names.sysname) + " " + names.release + " " + names.machine;
}

#endif

} // namespace zvk
