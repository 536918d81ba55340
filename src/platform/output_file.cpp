#include "platform/output_file.h"

namespace zvk {
namespace {

// Paths are opened in the system's own form: wide on Windows, so that names with
// Slovak letters open there too.
std::FILE* OpenForBytes(const std::filesystem::path& path, bool onlyNew)
{
#ifdef _WIN32
    return _wfopen(path.c_str(), onlyNew ? L"wbx" : L"wb");
#else
    return std::fopen(path.c_str(), onlyNew ? "wbx" : "wb");
#endif
}

} // namespace

std::FILE* OpenNewFile(const std::filesystem::path& path)
{
    return OpenForBytes(path, true);
}

std::FILE* OpenFileForWriting(const std::filesystem::path& path)
{
    return OpenForBytes(path, false);
}

} // namespace zvk
