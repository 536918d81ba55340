#pragma once

#include <cstdint>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace zvk::test {

// A disk that fills up while a file is written, simulated by a limit on the size of
// every file this process writes (for as long as the object lives). Windows has no such
// limit: there the object fails the test that made it (such tests are not run there).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

#ifndef _WIN32
private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
#endif
};

} // namespace zvk::test
