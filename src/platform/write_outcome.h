#pragma once

#include <filesystem>
#include <string>

namespace zvk {

// What an operation that writes one file reports to its caller: the file it
// wrote, or why nothing was written.
struct WriteOutcome
{
    std::filesystem::path output;
    std::string error;

    bool Succeeded() const
    {
        return error.empty();
    }
};

} // namespace zvk
