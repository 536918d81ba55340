#pragma once

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

CliRun Zvk(const Arguments& arguments);

} // namespace zvk::cli
