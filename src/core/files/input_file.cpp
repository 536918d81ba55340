#include "files/input_file.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "files/output_file.h"
#include "system/system_reason.h"
#include "system/worded_error_category.h"
#include "text/path_text.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace zvk {
namespace {

std::string RefusalWords(int value)
{
    switch (static_cast<InputRefusal>(value)) {
    case InputRefusal::NotARegularFile:
        return "is not a regular file";
    }
    return "is refused";
}

// The failures of an input, each said alike however the file was opened.
Unexpected<Failure> CannotOpen(const fs::path& path, std::error_code reason)
{
    reason = StandardReason(reason);
    return Fail("cannot open " + PathText(path) + ": " + reason.message(), {path, reason});
}

Unexpected<Failure> IsAFolder(const fs::path& path)
{
    return Fail(PathText(path) + " is a folder",
                {path, std::make_error_code(std::errc::is_a_directory)});
}

Unexpected<Failure> NotARegularFile(const fs::path& path)
{
    const std::error_code reason = InputRefusal::NotARegularFile;
    return Fail(PathText(path) + " " + reason.message(), {path, reason});
}

Unexpected<Failure> CannotRead(const fs::path& path)
{
    return Fail("cannot read " + PathText(path), {path, std::make_error_code(std::errc::io_error)});
}

// A folder opens as a stream on some systems and then reads as empty, and a pipe or a
// device would be waited on: only a regular file is read. A missing one is left to the
// open, which says so.
Result<> RegularFileOrMissing(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status))
        return IsAFolder(path);
    if (fs::exists(status) && !fs::is_regular_file(status))
        return NotARegularFile(path);
    return {};
}

} // namespace

const std::error_category& InputRefusalCategory()
{
    static const WordedErrorCategory category("input refusal", &RefusalWords);
    return category;
}

std::error_code make_error_code(InputRefusal refusal)
{
    return {static_cast<int>(refusal), InputRefusalCategory()};
}

Result<std::ifstream> OpenInputFile(const fs::path& path)
{
    if (Result<> kind = RegularFileOrMissing(path); !kind)
        return Unexpected(std::move(kind).error());
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open())
        return CannotOpen(path, {errno, std::generic_category()});
    return in;
}

Result<std::string> ReadWholeFile(const fs::path& path)
{
    std::string bytes;
    if (Result<> read = ReadWholeFileInto(path, bytes); !read)
        return Unexpected(std::move(read).error());
    return bytes;
}

Result<> ReadWholeFileInto(const fs::path& path, std::string& bytes)
{
    bytes.clear();
#ifdef _WIN32
    // Through the system's own open, which waits a moment for a file that another program
    // holds and lets others read, write and rename the file meanwhile.
    if (Result<> kind = RegularFileOrMissing(path); !kind)
        return kind;
    OpenedFile file = OpenFileForReading(path);
    if (!file)
        return CannotOpen(path, file.error());
    std::array<char, 1 << 16> block;
    std::size_t count = 0;
    while ((count = std::fread(block.data(), 1, block.size(), *file)) > 0)
        bytes.append(block.data(), count);
    const bool failed = std::ferror(*file) != 0;
    std::fclose(*file);
    if (failed)
        return CannotRead(path);
    return {};
#else
    // A report reads thousands of lists: one open, one status and the reads, where a
    // stream asks for the status twice and sets up its buffer and locale. Opened
    // without waiting, so that a pipe is refused rather than waited on.
    const int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0)
        return CannotOpen(path, {errno, std::generic_category()});
    struct stat status = {};
    Result<> read;
    if (::fstat(file, &status) != 0) {
        read = CannotOpen(path, {errno, std::generic_category()});
    } else if (S_ISDIR(status.st_mode)) {
        read = IsAFolder(path);
    } else if (!S_ISREG(status.st_mode)) {
        read = NotARegularFile(path);
    } else {
        // One byte more than its status says: a read that fills it finds a file that
        // grew meanwhile, and the bytes grow with it.
        bytes.resize(static_cast<std::size_t>(status.st_size) + 1);
        std::size_t done = 0;
        for (;;) {
            if (done == bytes.size())
                bytes.resize(2 * done);
            const ssize_t count = ::read(file, bytes.data() + done, bytes.size() - done);
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0) {
                if (count < 0)
                    read = CannotRead(path);
                break;
            }
            done += static_cast<std::size_t>(count);
        }
        bytes.resize(done);
    }
    ::close(file);
    return read;
#endif
}

} // namespace zvk
