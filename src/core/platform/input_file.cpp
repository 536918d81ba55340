#include "platform/input_file.h"

#include <cerrno>
#include <sstream>
#include <system_error>

#include "platform/path_text.h"

namespace fs = std::filesystem;

namespace zvk {

Result<std::ifstream> OpenInputFile(const fs::path& path)
{
    std::error_code ec;
    // A folder opens as a stream on some systems and then reads as empty.
    if (fs::is_directory(path, ec))
        return Fail(PathText(path) + " is a folder",
                    {path, std::make_error_code(std::errc::is_a_directory)});
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        const std::error_code reason(errno, std::generic_category());
        return Fail("cannot open " + PathText(path) + ": " + reason.message(), {path, reason});
    }
    return in;
}

Result<std::string> ReadWholeFile(const fs::path& path)
{
    Result<std::ifstream> in = OpenInputFile(path);
    if (!in)
        return Unexpected(std::move(in).error());
    std::ostringstream content;
    content << in->rdbuf();
    if (in->bad())
        return Fail("cannot read " + PathText(path),
                    {path, std::make_error_code(std::errc::io_error)});
    return std::move(content).str();
}

} // namespace zvk
