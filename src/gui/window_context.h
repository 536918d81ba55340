#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "net/network_interfaces.h"
#include "system/result.h"

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
    // The handheld's network link that ZVK_LINK names; empty when unset.
    std::string linkVariable = {};
    // This computer's interfaces (NetworkInterfaces), asked when a transfer looks for the
    // handheld's network link; none: no link is ever found.
    std::function<Result<std::vector<NetworkInterface>>()> interfaces = {};
};

} // namespace zvk
