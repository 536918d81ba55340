#include <condition_variable>
#include <iostream>
#include <mutex>
#include <string>

#include "cli/program_arguments.h"
#include "cli/stop_signals.h"
#include "device/handheld_selection.h"
#include "emulator/device_arguments.h"
#include "emulator/wire_device.h"

namespace {

constexpr int kBadArguments = 2;
constexpr int kCannotRun = 1;

int Refuse(int status, const std::string& reason)
{
    std::cerr << "zvk_device_emulator: " << reason << '\n';
    return status;
}

} // namespace

// A handheld on the network link for desktops to try: it runs until Ctrl-C or SIGTERM
// and then ends with status 0.
int main(int argc, char* argv[])
{
    const zvk::cli::StopOnSignals signals;
    const zvk::Result<zvk::emulator::WireDeviceOptions> options =
        zvk::emulator::ParseDeviceArguments(zvk::cli::ProgramArguments(argc, argv));
    if (!options)
        return Refuse(kBadArguments, options.error().detail);
    if (const zvk::Result<> prepared =
            zvk::PrepareHandheldFolder(options->folder, zvk::SampleListsFolder(ZVK_SAMPLE_DIR));
        !prepared)
        return Refuse(kCannotRun, prepared.error().detail);
    zvk::emulator::WireDevice device(*options, [](const std::string& line) {
        std::cout << line << '\n' << std::flush;
    });
    if (const zvk::Result<> started = device.Start(); !started)
        return Refuse(kCannotRun, started.error().detail);
    std::mutex mutex;
    std::condition_variable_any stopped;
    std::unique_lock lock(mutex);
    stopped.wait(lock, signals.StopToken(), [] { return false; });
    device.Stop();
    std::cout << "stopped\n" << std::flush;
    return 0;
}
