#pragma once

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace zvk::test {

// An emulated handheld, selected for the programs this process starts (ZVK_HANDHELD), whose
// program holds a list that takes a while to receive, however fast the machine: its link
// carries 100,000 bytes a second, so the 2 MB list BIG.DAT takes twenty seconds and a
// signal surely comes in the middle of its copy.
class LargeListHandheld
{
public:
    LargeListHandheld();
    ~LargeListHandheld();
    LargeListHandheld(const LargeListHandheld&) = delete;
    LargeListHandheld& operator=(const LargeListHandheld&) = delete;

    // The handheld's folder, inside Dir().
    std::filesystem::path Folder() const;
    // A fresh folder for the test's own files.
    const TempDir& Dir() const;
    // What BIG.DAT holds.
    const std::string& Large() const;

private:
    TempDir m_dir;
    std::string m_large;
};

} // namespace zvk::test
