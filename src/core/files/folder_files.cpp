#include "files/folder_files.h"

#include <cerrno>
#include <memory>
#include <system_error>

#include "system/system_reason.h"
#include "text/path_text.h"

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace zvk {
namespace {

Unexpected<Failure> CannotReadFolder(const fs::path& folder, std::error_code reason)
{
    reason = StandardReason(reason);
    return Fail("cannot read the folder " + PathText(folder) + ": " + reason.message(),
                {folder, reason, FileFailure::Access::ReadingFolder});
}

} // namespace

#ifdef _WIN32

Result<std::vector<std::string>> FileNamesIn(const fs::path& folder,
                                             bool (*wanted)(std::string_view name))
{
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code ignored; // an entry that vanished is simply not a file
        std::string name = PathText(it->path().filename());
        if (wanted(name) && !it->is_directory(ignored))
            names.push_back(std::move(name));
    }
    if (error)
        return CannotReadFolder(folder, error);
    return names;
}

#else

Result<std::vector<std::string>> FileNamesIn(const fs::path& folder,
                                             bool (*wanted)(std::string_view name))
{
    // The system's own listing: a directory iterator makes a whole path of every entry.
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return CannotReadFolder(folder, {errno, std::generic_category()});
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::fdopendir(descriptor), &::closedir);
    if (!listing) {
        const int error = errno;
        ::close(descriptor);
        return CannotReadFolder(folder, {error, std::generic_category()});
    }
    std::vector<std::string> names;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(listing.get());
        if (entry == nullptr) {
            if (errno != 0)
                return CannotReadFolder(folder, {errno, std::generic_category()});
            return names;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || !wanted(name) || entry->d_type == DT_DIR)
            continue;
        // A link, or a file system that does not say what an entry is: asked for.
        struct stat status = {};
        if (entry->d_type != DT_REG && ::fstatat(descriptor, entry->d_name, &status, 0) == 0 &&
            S_ISDIR(status.st_mode))
            continue;
        names.emplace_back(name);
    }
}

#endif

} // namespace zvk
