#include "platform/input_file.h"

#include <cerrno>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace zvk {

bool OpenInputFile(const fs::path& path, std::ifstream& in, std::string& error)
{
    std::error_code reason;
    return OpenInputFile(path, in, error, reason);
}

bool OpenInputFile(const fs::path& path, std::ifstream& in, std::string& error,
                   std::error_code& reason)
{
    std::error_code ec;
    // A folder opens as a stream on some systems and then reads as empty.
    if (fs::is_directory(path, ec)) {
        reason = std::make_error_code(std::errc::is_a_directory);
        error = path.string() + " is a folder";
        return false;
    }
    in.open(path, std::ios::binary);
    if (!in.is_open()) {
        reason = std::error_code(errno, std::generic_category());
        error = "cannot open " + path.string() + ": " + reason.message();
        return false;
    }
    return true;
}

bool ReadWholeFile(const fs::path& path, std::string& bytes, std::string& error)
{
    std::ifstream in;
    if (!OpenInputFile(path, in, error))
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        error = "cannot read " + path.string();
        return false;
    }
    bytes = std::move(content).str();
    return true;
}

} // namespace zvk
