#include <filesystem>
#include <iostream>

#include "cli/command_line.h"
#include "cli/program_arguments.h"
#include "cli/stop_signals.h"
#include "cli/terminal_progress.h"
#include "device/handheld_selection.h"
#include "net/network_interfaces.h"
#include "system/environment_path.h"
#include "system/user_cache_folder.h"
#include "text/path_text.h"

int main(int argc, char* argv[])
{
    const zvk::cli::StopOnSignals signals;
    const zvk::cli::Arguments arguments = zvk::cli::ProgramArguments(argc, argv);
    const zvk::cli::CommandContext context{std::cout,
                                           std::cerr,
                                           zvk::cli::StandardErrorIsTerminal(),
                                           zvk::SteadyClock(),
                                           signals.StopToken(),
                                           std::filesystem::current_path(),
                                           zvk::SampleListsFolder(ZVK_SAMPLE_DIR),
                                           zvk::UserCacheFolder(),
                                           zvk::EnvironmentPath("ZVK_HANDHELD"),
                                           zvk::PathText(zvk::EnvironmentPath("ZVK_LINK")),
                                           &zvk::NetworkInterfaces};
    const int status = zvk::cli::RunCommandLine(arguments, context);
    return signals.ExitStatus(status);
}
