#include "platform/input_file.h"

#include <cerrno>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace zvk {

bool OpenInputFile(const fs::path& path, std::ifstream& in, std::string& error)
{
    std::error_code ec;
    // A folder opens as a stream on some systems and then reads as empty.
    if (fs::is_directory(path, ec)) {
        error = path.string() + " is a folder";
        return false;
    }
    in.open(path, std::ios::binary);
    if (!in.is_open()) {
        error = "cannot open " + path.string() + ": " + std::generic_category().message(errno);
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
