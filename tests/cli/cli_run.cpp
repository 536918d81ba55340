#include "cli_run.h"

#include <sstream>

namespace zvk::test {

CliRun Zvk(const cli::Arguments& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::RunCommandLine(arguments, out, err);
    return {status, out.str(), err.str()};
}

} // namespace zvk::test
