#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace zvk::test {

// A disk of its own that holds only a few bytes, so that writing really runs out of
// space: a tmpfs mounted on a fresh folder (the tests run as the superuser) and
// unmounted when the object ends. Where the system does not allow the mount,
// Mounted() is false and WhyNot() says why, for skipping the test.
class SmallDisk
{
public:
    explicit SmallDisk(std::size_t bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const;
    const std::string& WhyNot() const;
    const std::filesystem::path& Path() const;

private:
    TempDir m_dir;
    bool m_mounted = false;
    std::string m_whyNot;
};

} // namespace zvk::test
