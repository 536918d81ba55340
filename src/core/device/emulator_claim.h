#pragma once

#include <filesystem>
#include <memory>

#include "device/emulated_program.h"
#include "device/remote_api.h"
#include "system/result.h"

namespace zvk {

// What is locked to keep transfers to the emulated handheld in `folder` apart, something
// nobody can remove under a running transfer: the folder itself, or on Windows a file in
// the handheld program's folder (where neither the list search nor the marker search
// looks), which cannot be deleted while it is held.
std::filesystem::path EmulatedTransferLock(const std::filesystem::path& folder);

// Claims the emulated handheld by locking EmulatedTransferLock. The claim is given back
// only once `program` has done what the transfer started (the "x" after a reception),
// so that the next transfer never meets it still at work on the last one. Busy
// when another transfer holds the handheld, a failure when the lock cannot be made.
Result<ClaimOutcome> ClaimEmulatedHandheld(const std::filesystem::path& folder,
                                           EmulatedProgram& program);

} // namespace zvk
