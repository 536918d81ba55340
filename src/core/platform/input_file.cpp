#include "platform/input_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>

#include "platform/path_text.h"
#include "platform/worded_error_category.h"

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
    std::error_code ec;
    // A folder opens as a stream on some systems and then reads as empty.
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status))
        return Fail(PathText(path) + " is a folder",
                    {path, std::make_error_code(std::errc::is_a_directory)});
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        const std::error_code reason = InputRefusal::NotARegularFile;
        return Fail(PathText(path) + " " + reason.message(), {path, reason});
    }
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        const std::error_code reason(errno, std::generic_category());
        return Fail("cannot open " + PathText(path) + ": " + reason.message(), {path, reason});
    }
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
    Result<std::ifstream> in = OpenInputFile(path);
    if (!in)
        return Unexpected(std::move(in).error());
    std::array<char, 1 << 16> block;
    while (*in) {
        in->read(block.data(), static_cast<std::streamsize>(block.size()));
        bytes.append(block.data(), static_cast<std::size_t>(in->gcount()));
    }
    if (in->bad())
        return Fail("cannot read " + PathText(path),
                    {path, std::make_error_code(std::errc::io_error)});
    return {};
#else
    // A report reads thousands of lists: one open, one status and the reads, where a
    // stream asks for the status twice and sets up its buffer and locale. Opened
    // without waiting, so that a pipe is refused rather than waited on.
    const int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) {
        const std::error_code reason(errno, std::generic_category());
        return Fail("cannot open " + PathText(path) + ": " + reason.message(), {path, reason});
    }
    struct stat status
    {
    };
    Result<> read;
    if (::fstat(file, &status) != 0) {
        const std::error_code reason(errno, std::generic_category());
        read = Fail("cannot open " + PathText(path) + ": " + reason.message(), {path, reason});
    } else if (S_ISDIR(status.st_mode)) {
        read = Fail(PathText(path) + " is a folder",
                    {path, std::make_error_code(std::errc::is_a_directory)});
    } else if (!S_ISREG(status.st_mode)) {
        const std::error_code reason = InputRefusal::NotARegularFile;
        read = Fail(PathText(path) + " " + reason.message(), {path, reason});
    } else {
        // As many bytes as its status says, then whatever it grew by meanwhile.
        bytes.resize(static_cast<std::size_t>(status.st_size));
        std::size_t done = 0;
        std::array<char, 1 << 12> more;
        for (;;) {
            const bool into = done < bytes.size();
            const ssize_t count = into ? ::read(file, bytes.data() + done, bytes.size() - done)
                                       : ::read(file, more.data(), more.size());
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0) {
                read = Fail("cannot read " + PathText(path),
                            {path, std::make_error_code(std::errc::io_error)});
                break;
            }
            if (count == 0)
                break;
            if (!into)
                bytes.append(more.data(), static_cast<std::size_t>(count));
            done += static_cast<std::size_t>(count);
        }
        bytes.resize(std::min(done, bytes.size()));
    }
    ::close(file);
    return read;
#endif
}

} // namespace zvk
