#include "device/emulator_claim.h"

#include <memory>

#include "files/exclusive_file_lock.h"

namespace fs = std::filesystem;

namespace zvk {
namespace {

class EmulatorClaim final : public TransferClaim
{
public:
    EmulatorClaim(std::unique_ptr<ExclusiveFileLock> lock, EmulatedProgram& program)
        : m_lock(std::move(lock)), m_program(program)
    {}

    // The lock goes only after this, with the members.
    ~EmulatorClaim() override
    {
        m_program.FinishStartedRuns();
    }

private:
    std::unique_ptr<ExclusiveFileLock> m_lock;
    EmulatedProgram& m_program;
};

} // namespace

fs::path EmulatedTransferLock(const fs::path& folder)
{
#ifdef _WIN32
    // Windows locks no folder; a lock file held open cannot be deleted there.
    return folder / "ZVK_CE" / "transfer.lock";
#else
    // The folder itself: a lock file could be deleted under a running transfer, and the
    // next one would lock a new file of the same name.
    return folder;
#endif
}

Result<ClaimOutcome> ClaimEmulatedHandheld(const fs::path& folder, EmulatedProgram& program)
{
#ifdef _WIN32
    Result<std::unique_ptr<ExclusiveFileLock>> lock =
        ExclusiveFileLock::Take(EmulatedTransferLock(folder));
#else
    Result<std::unique_ptr<ExclusiveFileLock>> lock =
        ExclusiveFileLock::TakeFolder(EmulatedTransferLock(folder));
#endif
    if (!lock)
        return Unexpected(std::move(lock).error());
    if (*lock == nullptr)
        return ClaimOutcome::Busy();
    return ClaimOutcome::Held(std::make_unique<EmulatorClaim>(std::move(lock).value(), program));
}

} // namespace zvk
