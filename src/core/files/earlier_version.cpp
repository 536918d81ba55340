#include "files/earlier_version.h"

#include <string>
#include <system_error>

#include "files/input_file.h"
#include "files/output_file.h"
#include "system/system_reason.h"
#include "text/path_text.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

// Names tried in the folder of replaced lists for replacements within one second.
constexpr int kNameAttempts = 100;

Unexpected<Failure> CannotKeep(const fs::path& list, std::error_code reason)
{
    reason = StandardReason(reason);
    return Fail("cannot keep the earlier " + PathText(list) + ": " + reason.message(),
                {list, reason, FileFailure::Access::Writing});
}

// Moves `file` into `folder` as `stem`.`stamp``extension`, never over another file.
Result<fs::path> MoveAside(const fs::path& file, const fs::path& folder, const std::string& stamp)
{
    std::error_code reason;
    for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
        const std::string suffix = attempt == 1 ? stamp : stamp + "-" + std::to_string(attempt);
        const fs::path keptAs = folder / PathFromText(PathText(file.stem()) + "." + suffix +
                                                      PathText(file.extension()));
        reason = RenameWithoutReplacing(file, keptAs);
        if (!reason)
            return keptAs;
        if (reason != std::errc::file_exists)
            break;
    }
    return CannotKeep(file, reason);
}

} // namespace

Result<std::optional<KeptVersion>> KeepEarlierVersion(const fs::path& list, std::string_view bytes,
                                                      const LocalTime& now)
{
    std::error_code ec;
    if (!fs::is_regular_file(fs::status(list, ec)))
        return std::optional<KeptVersion>();
    Result<std::string> earlier = ReadWholeFile(list);
    if (!earlier)
        return Unexpected(std::move(earlier).error());
    if (*earlier == bytes)
        return std::optional<KeptVersion>();
    const fs::path folder = list.parent_path() / PathFromText(kReplacedListsFolder);
    fs::create_directories(folder, ec);
    if (ec)
        return CannotKeep(list, ec);
    const std::string stamp = FileNameTimeText(now);
    Result<fs::path> kept = MoveAside(list, folder, stamp);
    if (!kept)
        return Unexpected(std::move(kept).error());
    // The text is made from the list: one that cannot follow it can be made again from
    // the kept list, and the new list's text replaces it.
    fs::path text = list;
    text.replace_extension(".csv");
    if (fs::is_regular_file(fs::status(text, ec)))
        static_cast<void>(MoveAside(text, folder, stamp));
    return std::optional<KeptVersion>(KeptVersion{list, *kept});
}

} // namespace zvk
