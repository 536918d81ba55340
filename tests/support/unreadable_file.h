#pragma once

#include <filesystem>
#include <system_error>

namespace zvk::test {

// A name in a folder that lists like a file but cannot be opened, for as long as the
// object lives. On Linux a symbolic link to nothing; on Windows, where a link needs a
// privilege, a file that another program holds open without sharing it, as Word holds
// a document.
class UnreadableFile
{
public:
    explicit UnreadableFile(const std::filesystem::path& path);
    ~UnreadableFile();
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

    // The reason a reader is given when it opens the file.
    std::error_code Reason() const;

private:
#ifdef _WIN32
    void* m_handle = nullptr;
#endif
};

} // namespace zvk::test
