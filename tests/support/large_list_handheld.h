#pragma once

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace zvk::test {

// An emulated handheld, selected for the programs this process starts (ZVK_HANDHELD), whose
// program holds a list that takes a while to receive, however fast the machine: each read
// over the slow link waits a millisecond, so the 2 MB list BIG.DAT takes at least twenty
// seconds and a signal surely comes in the middle of its copy.
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
