#pragma once

#include <string>

#include "cli/command_line.h"

namespace zvk::test {

// What `zvk ARGUMENTS...` returned and printed, run in-process.
struct CliRun
{
    int status = 0;
    std::string out;
    std::string err;
};

CliRun Zvk(const cli::Arguments& arguments);

} // namespace zvk::test
