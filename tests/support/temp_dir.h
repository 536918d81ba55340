#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace zvk::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const;
    // Writes `bytes` to `name` inside the folder and returns its path.
    std::filesystem::path Write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path m_path;
};

// The whole file as bytes; fails the running test when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);

// Names of the files in `folder`, sorted: for checking that nothing else was left behind.
std::string ListFolder(const std::filesystem::path& folder);

// A file of tests/data.
std::filesystem::path TestData(std::string_view name);

// The repository's sample device configuration, data/config/ZVK.INI.
std::filesystem::path SampleConfiguration();

// Runs `check` with the rights of an ordinary user, so that a folder or file
// without write permission really cannot be written, even when the tests run as
// the superuser (they do in CI): there it runs in a child process that gives up
// its rights. `check` must not use test assertions; its result is returned.
bool AsOrdinaryUser(const std::function<bool()>& check);

} // namespace zvk::test
