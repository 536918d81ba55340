#include "support/environment.h"

#include <cstdlib>
#include <string>

namespace zvk::test {

#ifdef _WIN32

namespace {

std::wstring WideName(const char* name)
{
    return std::wstring(name, name + std::char_traits<char>::length(name));
}

} // namespace

void SetEnvironment(const char* name, const std::filesystem::path& value)
{
    _wputenv_s(WideName(name).c_str(), value.c_str());
}

void UnsetEnvironment(const char* name)
{
    _wputenv_s(WideName(name).c_str(), L"");
}

#else

void SetEnvironment(const char* name, const std::filesystem::path& value)
{
    setenv(name, value.c_str(), 1);
}

void UnsetEnvironment(const char* name)
{
    unsetenv(name);
}

#endif

} // namespace zvk::test
