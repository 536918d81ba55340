#include "reports/document_target.h"

#include <set>
#include <string>
#include <system_error>

#include "lists/data_list.h"
#include "platform/output_refusal.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// The folder an input lies in, as a folder listing names it.
fs::path FolderOf(const fs::path& input)
{
    return input.has_parent_path() ? input.parent_path() : fs::path(".");
}

// The inputs that are symbolic links, found by reading each of their folders once
// rather than by asking for every input on its own.
std::set<fs::path> SymbolicLinksAmong(const std::vector<fs::path>& inputs)
{
    std::set<fs::path> folders;
    for (const fs::path& input : inputs)
        folders.insert(FolderOf(input));
    std::set<fs::path> links;
    for (const fs::path& folder : folders) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
             it.increment(ec)) {
            std::error_code ignored; // an entry that vanished is no link
            if (it->is_symlink(ignored))
                links.insert(it->path());
        }
    }
    return links;
}

// An output with a single name can be the file of an input only when the input has
// that name too or is a symbolic link, so only those are compared: a report over
// thousands of lists does not look at each of them once more.
bool IsTheFileOfAny(const fs::path& output, const std::vector<fs::path>& inputs)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(output, ec);
    if (!fs::exists(status))
        return false;
    const bool singleName = fs::is_regular_file(status) && fs::hard_link_count(output, ec) == 1;
    const std::set<fs::path> links = singleName ? SymbolicLinksAmong(inputs) : std::set<fs::path>();
    for (const fs::path& input : inputs) {
        if (singleName && input.filename() != output.filename() &&
            !links.contains(FolderOf(input) / input.filename()))
            continue;
        if (fs::equivalent(output, input, ec))
            return true;
    }
    return false;
}

} // namespace

std::optional<WriteOutcome> RefusedDocumentTarget(const DocumentSettings& settings,
                                                  const std::vector<fs::path>& lists)
{
    const fs::path& output = settings.target.file;
    if (output.empty())
        return std::nullopt;
    std::error_code reason;
    std::error_code ec;
    if (HasDataListName(output))
        reason = OutputRefusal::DataListName;
    else if (IsTheFileOfAny(output, lists) || fs::equivalent(output, settings.configFile, ec))
        reason = OutputRefusal::SameAsInput;
    if (!reason)
        return std::nullopt;
    return WriteOutcome{{},
                        output.string() + " " + reason.message(),
                        {output, reason, FileFailure::Access::Writing}};
}

} // namespace zvk
