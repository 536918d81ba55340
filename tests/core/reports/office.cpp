#include "office.h"

#include <cstdlib>

namespace zvk::test {

std::string ShellQuoted(std::string_view text)
{
    std::string quoted = "'";
    for (const char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

bool ConvertWithOffice(const std::vector<std::filesystem::path>& documents, std::string_view filter,
                       const std::filesystem::path& folder)
{
    std::string command =
        "LC_ALL=C LANG=C " + ShellQuoted(ZVK_SOFFICE) + " --headless " +
        ShellQuoted("-env:UserInstallation=file://" + (folder / "profile").string()) +
        " --convert-to " + ShellQuoted(filter) + " --outdir " + ShellQuoted(folder.string());
    for (const std::filesystem::path& document : documents)
        command += " " + ShellQuoted(document.string());
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

} // namespace zvk::test
