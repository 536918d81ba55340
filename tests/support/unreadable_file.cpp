#include "support/unreadable_file.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include "files/windows_refusal.h"

namespace zvk::test {

#ifdef _WIN32

UnreadableFile::UnreadableFile(const std::filesystem::path& path)
    : m_handle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr))
{
    EXPECT_NE(m_handle, INVALID_HANDLE_VALUE) << "cannot make " << path;
}

UnreadableFile::~UnreadableFile()
{
    if (m_handle != INVALID_HANDLE_VALUE)
        CloseHandle(m_handle);
}

// A reader waits a moment for the holder to let go, then says who holds it.
std::error_code UnreadableFile::Reason() const
{
    return WindowsRefusal::HeldByAnotherProgram;
}

#else

UnreadableFile::UnreadableFile(const std::filesystem::path& path)
{
    std::filesystem::create_symlink(path.parent_path() / (path.filename().native() + ".gone"),
                                    path);
}

UnreadableFile::~UnreadableFile() = default;

std::error_code UnreadableFile::Reason() const
{
    return std::make_error_code(std::errc::no_such_file_or_directory);
}

#endif

} // namespace zvk::test
