#pragma once

#include <filesystem>

namespace zvk::test {

// Sets an environment variable of this process, which the programs it starts inherit. The
// value is a path in the system's own form, so that a folder with Slovak letters passes
// whole on Windows too.
void SetEnvironment(const char* name, const std::filesystem::path& value);
void UnsetEnvironment(const char* name);

// An environment variable set (or, with an empty value, removed) for as long as the object
// lives, then given back the value it had.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const std::filesystem::path& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void Set(const std::filesystem::path& value) const;

    const char* m_name;
    std::filesystem::path m_previous;
};

} // namespace zvk::test
