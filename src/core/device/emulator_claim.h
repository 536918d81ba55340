#pragma once

#include <filesystem>

#include "device/emulated_program.h"
#include "device/remote_api.h"

namespace zvk {

// The file whose lock keeps transfers to the emulated handheld in `folder` apart: in
// the handheld program's folder, where neither the list search nor the marker search
// looks.
std::filesystem::path EmulatedTransferLock(const std::filesystem::path& folder);

// Claims the emulated handheld by locking EmulatedTransferLock. The claim is given back
// only once `program` has done what the transfer started (the "x" after a reception),
// so that the next transfer never meets it still at work on the last one.
ClaimResult ClaimEmulatedHandheld(const std::filesystem::path& folder, EmulatedProgram& program);

} // namespace zvk
