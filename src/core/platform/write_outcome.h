#pragma once

#include <filesystem>
#include <string>

#include "platform/file_failure.h"

namespace zvk {

// What an operation that writes one file reports to its caller: the file it
// wrote, or why nothing was written.
struct WriteOutcome
{
    std::filesystem::path output;
    std::string error;
    // Where known, the file behind `error` and the system's reason.
    FileFailure failure;

    bool Succeeded() const
    {
        return error.empty();
    }
};

} // namespace zvk
