#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "config/desktop_settings.h"
#include "device/clock.h"
#include "device/handheld_selection.h"
#include "link/handheld_choice.h"

namespace zvk::cli {

// What a command gets from whoever runs it, as a transfer gets its window's port: the
// streams it writes to (and whether `err` is a terminal, where progress is drawn in
// place), the clock its transfers take their time from, the stop request that ends it,
// and the folders it works with. main gives the process's own (the working directory
// and what the environment names); a test gives a folder and a
// clock of its own, so that no command reads anything of the process.
struct CommandContext
{
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;
    Clock& clock;
    std::stop_token stop;
    // Where ZVKServer.ini is read, the default handheld/ and document are, and relative
    // paths among the arguments start.
    std::filesystem::path workingFolder;
    // The lists a new emulated handheld starts with (SampleListsFolder).
    std::filesystem::path sampleLists;
    // Where reports keep the header indexes of the folders they read (UserCacheFolder);
    // none: every list is read.
    std::filesystem::path cacheFolder = {};
    // The emulated handheld's folder that ZVK_HANDHELD names; empty when unset.
    std::filesystem::path handheldVariable = {};
    // The handheld's network link that ZVK_LINK names; empty when unset.
    std::string linkVariable = {};
    // This computer's interfaces (NetworkInterfaces), asked when a transfer looks for the
    // handheld's network link; none: no link is ever found.
    std::function<Result<std::vector<NetworkInterface>>()> interfaces = {};

    // A path given among the arguments (UTF-8), a relative one taken in the working folder.
    std::filesystem::path PathOf(std::string_view argument) const;
    // Where the handheld is looked for, with what `settings` choose.
    HandheldPlace HandheldPlaceOf(const DesktopSettings& settings) const;
    // What the program's own network link needs. zvk asks for no password: a handheld that
    // wants one typed on the desktop is refused, and the failure says so.
    NetworkLinkPlace Network() const;
};

} // namespace zvk::cli
