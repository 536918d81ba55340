#include "cli_run.h"

#include <sstream>

namespace zvk::cli {

CliRun Zvk(const Arguments& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCommandLine(arguments, out, err);
    return {status, out.str(), err.str()};
}

} // namespace zvk::cli
