#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

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
    // The "AdresySpojenia" setting: the handheld's network link named; empty when unset.
    std::string configuredLink = {};
    // The "VlastneSpojenie" setting: the program's own network link even where rapi.dll is.
    bool ownLinkChosen = false;
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

// The emulated handheld in `folder`, prepared with `samples`, taking its time from `clock`.
Result<std::unique_ptr<RemoteApi>> OpenEmulatedHandheld(const std::filesystem::path& folder,
                                                        const std::filesystem::path& samples,
                                                        Clock& clock);

} // namespace zvk
