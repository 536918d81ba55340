#pragma once

#ifndef _WIN32
#include <sys/resource.h>

namespace zvk::test {

// A disk that fills up while a file is written, simulated by a limit on the size of
// every file this process writes (for as long as the object lives).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = nullptr;
};

} // namespace zvk::test
#endif
