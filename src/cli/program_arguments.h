#pragma once

#include "cli/command_line.h"

namespace zvk::cli {

// The arguments zvk was started with, after its own name, as UTF-8 (paths among them are
// made with PathFromText). Windows hands main its arguments in the narrow code page, which
// lacks letters of Slovak names ("č" under code page 1252): there they come from the wide
// command line instead, and the console is told to show UTF-8. Elsewhere they pass
// unchanged.
Arguments ProgramArguments(int argc, char* argv[]);

} // namespace zvk::cli
