#pragma once

#include <filesystem>
#include <ostream>
#include <stop_token>
#include <string_view>

#include "device/clock.h"

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

    // A path given among the arguments (UTF-8), a relative one taken in the working folder.
    std::filesystem::path PathOf(std::string_view argument) const;
};

} // namespace zvk::cli
