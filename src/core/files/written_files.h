#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace zvk {

// The files one run (a reception, a conversion of several lists) has written, so that it
// never writes one of them over another. Two names can be one file: "A.DAT" and "A.dat"
// where the disk ignores letter case, or two handheld names that come to one desktop name.
// The disk itself answers whether a name is a file of the run.
class WrittenFiles
{
public:
    // True when `file` exists and is the very file of one written earlier in the run.
    bool Holds(const std::filesystem::path& file) const;
    void Add(const std::filesystem::path& file);

private:
    // By lower-case name, so that the disk is asked only about names that may be one file.
    std::unordered_map<std::string, std::vector<std::filesystem::path>> m_byName;
};

} // namespace zvk
