#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "device/clock.h"
#include "device/remote_api.h"
#include "platform/result.h"

namespace zvk {

// The handheld the program talks to. Until a real handheld can be reached from this
// desktop it is the handheld emulator, over a folder chosen without any command-line
// argument (arguments change what the program does): the environment variable
// ZVK_HANDHELD, else the "Zariadenie" setting, else handheld/ in the working directory.
std::filesystem::path ChooseHandheldFolder(std::string_view configuredFolder);

// The sample lists a new emulated handheld starts with: the repository's data/samples
// when the program runs where it was built, else samples/ beside the executable.
std::filesystem::path SampleListsFolder();

// Creates a missing handheld folder and gives its program the sample lists; an existing
// folder is used as it is. A failure says why the folder cannot be used.
Result<> PrepareHandheldFolder(const std::filesystem::path& folder,
                               const std::filesystem::path& samples);

// The handheld of ChooseHandheldFolder, prepared, taking its time from `clock`; a
// failure when its folder cannot be made.
Result<std::unique_ptr<RemoteApi>> OpenHandheld(std::string_view configuredFolder, Clock& clock);

} // namespace zvk
