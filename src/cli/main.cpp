#include <iostream>

#include "cli/command_line.h"
#include "cli/program_arguments.h"
#include "cli/stop_signals.h"

int main(int argc, char* argv[])
{
    const zvk::cli::StopOnSignals signals;
    const zvk::cli::Arguments arguments = zvk::cli::ProgramArguments(argc, argv);
    const int status = zvk::cli::RunCommandLine(arguments, std::cout, std::cerr);
    return signals.ExitStatus(status);
}
