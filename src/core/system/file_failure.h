#pragma once

#include <filesystem>
#include <system_error>

namespace zvk {

// Which file an operation failed on, whether it was being read or written, and
// the system's reason, so that each user interface can say so in its own language.
struct FileFailure
{
    enum class Access
    {
        Reading,
        ReadingFolder,
        Writing
    };

    std::filesystem::path file;
    std::error_code reason;
    Access access = Access::Reading;
};

} // namespace zvk
