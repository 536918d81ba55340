#pragma once

#include <filesystem>
#include <string>

#include "cli/command_line.h"

namespace zvk::cli {

// What one in-process run of the zvk tool gave.
struct CliRun
{
    int status = 0;
    std::string out;
    std::string err;
};

// Runs zvk in this process, as its main would with ZVK_HANDHELD as it stands, working in
// `workingFolder`, with the reports' cache in
// `cacheFolder` (none by default); its transfers take their time from a clock that moves
// on whenever only time can move them on, so none of them waits for real seconds.
CliRun Zvk(const Arguments& arguments,
           const std::filesystem::path& workingFolder = std::filesystem::current_path(),
           const std::filesystem::path& cacheFolder = {});

} // namespace zvk::cli
