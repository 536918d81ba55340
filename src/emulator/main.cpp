#include <condition_variable>
#include <iostream>
#include <mutex>
#include <string>
#include <vector>

#include "cli/program_arguments.h"
#include "cli/stop_signals.h"
#include "device/handheld_selection.h"
#include "emulator/device_arguments.h"
#include "emulator/wire_device.h"

namespace {

constexpr int kBadArguments = 2;
constexpr int kCannotRun = 1;

constexpr const char* kUsage =
    "usage: zvk_device_emulator --folder DIR --device-ip IP [--host IP] [--host-port P]\n"
    "           [--trigger-port P] [--name NAME] [--model MODEL] [--os MAJOR.MINOR]\n"
    "           [--password-on-desktop PASSWORD | --password-on-handheld]\n"
    "           [--fault NAME[=N]]...\n"
    "\n"
    "A handheld on the network link, played by the folder DIR (made with the sample\n"
    "lists when missing): it waits for a desktop's trigger on IP:P (default port\n"
    "5679), then connects to the desktop's port (the trigger's sender and 990 unless\n"
    "--host and --host-port say otherwise) and serves its Remote API sessions until\n"
    "Ctrl-C. Faults: connect-back-late=MS, connect-back-never, drop-after=CALLS,\n"
    "short-reply=CALL, stall=CALL, read-error=BYTES, disk-full=BYTES,\n"
    "refuse-password, no-trigger.\n";

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
    const zvk::cli::StopOnSignals signals("zvk_device_emulator");
    const std::vector<std::string> arguments = zvk::cli::ProgramArguments(argc, argv);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    const zvk::Result<zvk::emulator::WireDeviceOptions> options =
        zvk::emulator::ParseDeviceArguments(arguments);
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
