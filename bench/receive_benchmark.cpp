// Receives one large list and many small ones from the handheld emulator through
// ReceiveListsWorker, with a main window that answers on a thread of its own, and
// compares the time with a plain copy of the same files.
//
// usage: receive_benchmark [LARGE_MB [SMALL_LISTS [FOLDER]]]   (defaults: 100 2000, a
// fresh folder under the system's temporary folder, removed afterwards)

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "cross_thread_window.h"
#include "device/handheld_emulator.h"
#include "device/receive_lists_worker.h"
#include "hurried_clock.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// The lists lie at the handheld's top, as its program leaves them for the desktop.
void StageLists(const fs::path& handheld, std::uint64_t largeBytes, int smallLists)
{
    fs::create_directories(handheld);
    std::ofstream(handheld / "emulator.ini") << "[Emulator]\r\nExportDelayMs=0\r\n";
    std::ofstream large(handheld / "VELKY.DAT", std::ios::binary);
    const std::string line =
        "2M     1SMVY   I   3  4.50 32KO 0.36 0                            1\r\n";
    for (std::uint64_t written = 0; written < largeBytes; written += line.size())
        large.write(line.data(), static_cast<std::streamsize>(
                                     std::min<std::uint64_t>(line.size(), largeBytes - written)));
    const fs::path sample = fs::path(ZVK_SAMPLE_DIR) / "LIST0001.DAT";
    for (int i = 0; i < smallLists; ++i)
        fs::copy_file(sample, handheld / ("Z" + std::to_string(100000 + i) + ".DAT"));
}

double PlainCopy(const fs::path& from, const fs::path& to)
{
    fs::create_directories(to);
    const auto started = Clock::now();
    for (const auto& entry : fs::directory_iterator(from))
        if (entry.path().extension() == ".DAT")
            fs::copy_file(entry.path(), to / entry.path().filename());
    return Seconds(Clock::now() - started);
}

// Seconds of one reception of freshly staged lists; negative when it failed.
double TimedReception(const fs::path& root, std::uint64_t largeBytes, int smallLists,
                      bool crossThread)
{
    const fs::path handheld = root / "handheld";
    const fs::path desktop = root / "desktop";
    fs::remove_all(handheld);
    fs::remove_all(desktop);
    StageLists(handheld, largeBytes, smallLists);
    fs::create_directories(desktop);
    zvk::HandheldEmulator emulator(handheld);
    zvk::bench::CrossThreadWindow window(crossThread);
    zvk::bench::HurriedClock clock;
    const auto started = Clock::now();
    const bool received =
        zvk::ReceiveListsWorker(window, emulator, {.receiveFolder = desktop}, {}, clock, {});
    const double seconds = Seconds(Clock::now() - started);
    if (!received || window.ShownPercent() != 100) {
        std::cerr << "reception failed: " << window.LastMessage() << '\n';
        return -1;
    }
    return seconds;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::uint64_t largeBytes = (argc > 1 ? std::stoull(argv[1]) : 100) << 20;
    const int smallLists = argc > 2 ? std::stoi(argv[2]) : 2000;
    const fs::path root =
        argc > 3 ? fs::path(argv[3]) : fs::temp_directory_path() / "zvk-receive-benchmark";
    fs::remove_all(root);
    StageLists(root / "handheld", largeBytes, smallLists);
    const double copy = PlainCopy(root / "handheld", root / "copy");
    fs::remove_all(root / "copy");

    const double receive = TimedReception(root, largeBytes, smallLists, true);
    if (receive < 0)
        return EXIT_FAILURE;
    const double sameThread = TimedReception(root, largeBytes, smallLists, false);
    if (sameThread < 0)
        return EXIT_FAILURE;
    std::cout << "lists: 1 of " << (largeBytes >> 20) << " MB and " << smallLists
              << " small ones\nplain copy:                      " << copy
              << " s\nreception, window on its thread: " << receive
              << " s\nreception, window on the worker: " << sameThread
              << " s\nratio to the plain copy:         " << receive / copy << '\n';
    fs::remove_all(root);
    return EXIT_SUCCESS;
}
