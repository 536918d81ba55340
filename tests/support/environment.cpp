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

// The value of a variable; empty when it is unset.
std::filesystem::path EnvironmentValue(const char* name)
{
    const wchar_t* value = _wgetenv(WideName(name).c_str());
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
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

namespace {

// The value of a variable; empty when it is unset.
std::filesystem::path EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

} // namespace

void SetEnvironment(const char* name, const std::filesystem::path& value)
{
    setenv(name, value.c_str(), 1);
}

void UnsetEnvironment(const char* name)
{
    unsetenv(name);
}

#endif

ScopedEnvironment::ScopedEnvironment(const char* name, const std::filesystem::path& value)
    : m_name(name), m_previous(EnvironmentValue(name))
{
    Set(value);
}

ScopedEnvironment::~ScopedEnvironment()
{
    Set(m_previous);
}

void ScopedEnvironment::Set(const std::filesystem::path& value) const
{
    if (value.empty())
        UnsetEnvironment(m_name);
    else
        SetEnvironment(m_name, value);
}

} // namespace zvk::test
