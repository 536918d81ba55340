#include "reports/document_target.h"

#include <string>
#include <system_error>

#include "platform/ascii.h"
#include "platform/output_refusal.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

bool IsTheFileOfAny(const fs::path& output, const std::vector<fs::path>& inputs)
{
    std::error_code ec;
    if (!fs::exists(output, ec))
        return false;
    for (const fs::path& input : inputs)
        if (fs::equivalent(output, input, ec))
            return true;
    return false;
}

} // namespace

bool HasDataListName(const fs::path& path)
{
    const std::string name = path.filename().string();
    return name.size() >= 4 && EqualsIgnoringAsciiCase(name.substr(name.size() - 4), ".dat");
}

std::optional<WriteOutcome> RefusedDocumentTarget(const DocumentSettings& settings,
                                                  const std::vector<fs::path>& lists)
{
    const fs::path& output = settings.target.file;
    if (output.empty())
        return std::nullopt;
    std::error_code reason;
    if (HasDataListName(output)) {
        reason = OutputRefusal::DataListName;
    } else {
        std::vector<fs::path> inputs = lists;
        inputs.push_back(settings.configFile);
        if (IsTheFileOfAny(output, inputs))
            reason = OutputRefusal::SameAsInput;
    }
    if (!reason)
        return std::nullopt;
    return WriteOutcome{{},
                        output.string() + " " + reason.message(),
                        {output, reason, FileFailure::Access::Writing}};
}

} // namespace zvk
