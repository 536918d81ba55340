#include "device/desktop_handheld_claim.h"

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "files/exclusive_file_lock.h"
#include "system/system_reason.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

class DesktopHandheldClaim final : public TransferClaim
{
public:
    explicit DesktopHandheldClaim(std::unique_ptr<ExclusiveFileLock> lock) : m_lock(std::move(lock))
    {}

private:
    std::unique_ptr<ExclusiveFileLock> m_lock;
};

} // namespace

Result<ClaimOutcome> ClaimDesktopHandheld(std::string_view linkName)
{
    std::error_code ec;
    const fs::path folder = fs::temp_directory_path(ec);
    if (ec)
        return Fail("no temporary folder for the handheld's lock: " + StandardReason(ec).message());
    const std::string name =
        linkName.empty() ? "zvk-handheld.lock" : "zvk-handheld-" + std::string(linkName) + ".lock";
    Result<std::unique_ptr<ExclusiveFileLock>> lock = ExclusiveFileLock::Take(folder / name);
    if (!lock)
        return Unexpected(std::move(lock).error());
    if (*lock == nullptr)
        return ClaimOutcome::Busy();
    return ClaimOutcome::Held(std::make_unique<DesktopHandheldClaim>(std::move(lock).value()));
}

} // namespace zvk
