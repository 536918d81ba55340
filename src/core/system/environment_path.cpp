#include "system/environment_path.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace fs = std::filesystem;

namespace zvk {

fs::path EnvironmentPath(std::string_view name)
{
#ifdef _WIN32
    // Read wide, where a narrow value would lose the letters that the code page lacks.
    const std::wstring wideName(name.begin(), name.end());
    // The size asked for first counts the terminating null; an unset variable has none.
    const DWORD size = GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), size);
    // Longer by now: another thread set it meanwhile, and this answer is already old.
    if (length >= size)
        return {};
    value.resize(length);
    return fs::path(value);
#else
    const char* value = std::getenv(std::string(name).c_str());
    return value != nullptr ? fs::path(value) : fs::path();
#endif
}

} // namespace zvk
