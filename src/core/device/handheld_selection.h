#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "device/clock.h"
#include "device/remote_api.h"
#include "system/result.h"

namespace zvk {

// Where the program looks for its emulated handheld.
struct HandheldPlace
{
    // The folder the environment variable ZVK_HANDHELD names, as the program's main read
    // it; empty when unset.
    std::filesystem::path variableFolder;
    // The "Zariadenie" setting; empty when unset.
    std::filesystem::path configuredFolder;
    // The folder the program works in: handheld/ in it when no folder is named.
    std::filesystem::path workingFolder;
    // The lists a new emulated handheld starts with (SampleListsFolder).
    std::filesystem::path sampleLists;
};

// The folder of an emulated handheld that the user named, without any command-line
// argument (arguments change what the program does): the environment variable
// ZVK_HANDHELD, else the "Zariadenie" setting; empty when neither names one.
std::filesystem::path NamedHandheldFolder(const HandheldPlace& place);

// The folder of the emulated handheld: the named one, else handheld/ in the working
// folder.
std::filesystem::path ChooseHandheldFolder(const HandheldPlace& place);

// The sample lists that a program installed in `executableFolder` brings: samples/ beside
// it (the Windows package), else share/zvk-pc/samples of its prefix (the Linux package,
// /usr/bin and /usr/share/zvk-pc/samples); empty when it brings none.
std::filesystem::path InstalledSampleLists(const std::filesystem::path& executableFolder);

// The sample lists a new emulated handheld starts with: those the installed program brings,
// else `builtSamples`, which the program names for a run where it was built (the
// repository's data/samples).
std::filesystem::path SampleListsFolder(const std::filesystem::path& builtSamples);

// Creates a missing handheld folder and gives its program the sample lists; an existing
// folder is used as it is. A failure says why the folder cannot be used.
Result<> PrepareHandheldFolder(const std::filesystem::path& folder,
                               const std::filesystem::path& samples);

// The folder of the emulated handheld the program talks to; nothing where it talks to
// the handheld connected through rapi.dll (on Windows, unless a folder is named).
std::optional<std::filesystem::path> EmulatedHandheldFolder(const HandheldPlace& place);

// The handheld the program talks to, taking its time from `clock`. On Windows it is the
// handheld connected through the desktop's device connection software, unless a folder is
// named for an emulated one; elsewhere it is always the emulated handheld of
// ChooseHandheldFolder, prepared. A failure says why no handheld can be had.
Result<std::unique_ptr<RemoteApi>> OpenHandheld(const HandheldPlace& place, Clock& clock);

} // namespace zvk
