#include "fuzz_scratch.h"

#include <fstream>
#include <system_error>

#include <unistd.h>

#include "fuzz_target.h"

namespace fs = std::filesystem;

namespace zvk::fuzz {
namespace {

class Scratch
{
public:
    Scratch() : m_folder(fs::temp_directory_path() / ("zvk-fuzz-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_folder);
    }

    ~Scratch()
    {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
    }

    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const fs::path& Folder() const
    {
        return m_folder;
    }

private:
    fs::path m_folder;
};

} // namespace

const fs::path& ScratchFolder()
{
    static const Scratch scratch;
    return scratch.Folder();
}

void WriteScratchFile(const fs::path& file, std::string_view bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    Require(static_cast<bool>(out), "the fuzz input could not be written to the scratch folder");
}

std::vector<std::string> SplitAtNul(std::string_view input)
{
    std::vector<std::string> fields;
    for (;;) {
        const std::size_t nul = input.find('\0');
        fields.emplace_back(input.substr(0, nul));
        if (nul == std::string_view::npos)
            return fields;
        input.remove_prefix(nul + 1);
    }
}

} // namespace zvk::fuzz
