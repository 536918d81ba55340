#pragma once

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace zvk {

// A data list of a report or consignment note could not be opened or read. The
// operation stops there: a report that silently left out a list would show wrong
// totals.
class UnreadableListError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Reads one data list line by line for a pass of a report; throws
// UnreadableListError when the list cannot be opened or read.
class ReportListReader
{
public:
    explicit ReportListReader(const std::filesystem::path& list);

    // The next line without its line end; false at the end of the list.
    bool Next(std::string& line);

private:
    std::filesystem::path m_path;
    std::ifstream m_in;
};

} // namespace zvk
