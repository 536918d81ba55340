#pragma once

#include <filesystem>

namespace zvk {

// What the main window gets from the program's main, which alone reads the process: the
// window and its dialogs read nothing of it themselves.
struct WindowContext
{
    // The folder the program was started in: the settings file is there for good, and the
    // window's working folder starts there.
    std::filesystem::path workingFolder;
    // The emulated handheld's folder that ZVK_HANDHELD names; empty when unset.
    std::filesystem::path handheldVariable = {};
    // The lists a new emulated handheld starts with (SampleListsFolder).
    std::filesystem::path sampleLists = {};
    // Where reports keep the header indexes of the folders they read (UserCacheFolder);
    // none: every list is read.
    std::filesystem::path cacheFolder = {};
};

} // namespace zvk
