#pragma once

#include <filesystem>
#include <string>

namespace zvk {

// An exclusive lock on a file, tried once without waiting when the object is made, and
// given back when it is destroyed. It keeps out every other holder: other processes and
// other locks of this process on the same file alike. The system gives it back when its
// process ends, however it ends, so a crashed holder never leaves it held. The file is
// created when missing and left in place: removing it would let two holders lock two
// different files of the same name.
class ExclusiveFileLock
{
public:
    explicit ExclusiveFileLock(const std::filesystem::path& path);
    ~ExclusiveFileLock();
    ExclusiveFileLock(const ExclusiveFileLock&) = delete;
    ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

    bool Held() const;
    // Why the lock is not held: empty when another holder has it, else the file and the
    // system's reason.
    const std::string& Error() const;

private:
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_descriptor = -1;
#endif
    std::string m_error;
};

} // namespace zvk
