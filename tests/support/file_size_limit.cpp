#include "support/file_size_limit.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#endif

namespace zvk::test {

#ifdef _WIN32

FileSizeLimit::FileSizeLimit(std::uint64_t /*bytes*/)
{
    ADD_FAILURE() << "Windows cannot limit the size of the files a process writes";
}

FileSizeLimit::~FileSizeLimit() = default;

#else

FileSizeLimit::FileSizeLimit(std::uint64_t bytes)
{
    getrlimit(RLIMIT_FSIZE, &m_previous);
    // A write beyond the limit then fails with an error instead of ending the process.
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_previous;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_previousHandler);
}

#endif

} // namespace zvk::test
