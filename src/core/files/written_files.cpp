#include "files/written_files.h"

#include "text/windows1250.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

std::string NameKey(const fs::path& file)
{
    return Windows1250Lower(FileNameInWindows1250(file));
}

} // namespace

bool WrittenFiles::Holds(const fs::path& file) const
{
    const auto found = m_byName.find(NameKey(file));
    if (found == m_byName.end())
        return false;
    for (const fs::path& written : found->second) {
        std::error_code ec;
        if (fs::equivalent(file, written, ec))
            return true;
    }
    return false;
}

void WrittenFiles::Add(const fs::path& file)
{
    m_byName[NameKey(file)].push_back(file);
}

} // namespace zvk
