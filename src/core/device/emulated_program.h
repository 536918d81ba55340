#pragma once

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "device/clock.h"

namespace zvk {

// The desktop file that plays a handheld path inside the emulated handheld's folder:
// "\ZVK_CE\Import\abc.dat" is ZVK_CE/Import/abc.dat there. Nothing for a path that is
// not absolute or would leave the folder.
std::optional<std::filesystem::path> EmulatedPath(const std::filesystem::path& folder,
                                                  std::u16string_view handheldPath);

// The handheld's own lists, which only the handheld program touches.
std::filesystem::path EmulatedListStore(const std::filesystem::path& folder);

// Whether an entry of the emulated handheld's folder is a file of the handheld: a regular
// file, or one whose kind this system cannot tell (Windows opens a device for AUX.DAT, not
// the file of that name), so that the desktop hears of it; never a folder, pipe or device.
bool IsHandheldFile(const std::filesystem::directory_entry& entry);

// Slave.exe of the emulated handheld, run on a thread of its own so that the desktop
// really has to wait for it. Started programs run one after the other in the order
// they were started:
//   "i" writes each of its lists whole to the top folder, then creates the export marker
//       (after the export delay of emulator.ini, and not at all when ExportMarker=0); a
//       list it cannot write there is kept in ListsNotHandedOver;
//   "x" drops the lists it handed over with the last "i" that the desktop has since taken
//       (deleted from the top folder); a list measured or received after that export
//       is not among them and stays, as does one still at the top;
//   "e" takes the lists that arrived in ZVK_CE/Import into its own;
//   "k" loads ZVK_CE/ZVK.INI.
class EmulatedProgram
{
public:
    // Its delays take their time from `clock`.
    EmulatedProgram(std::filesystem::path folder, Clock& clock);
    // Finishes what was started, except an export still waiting for its delay: the
    // desktop that asked for it is gone.
    ~EmulatedProgram();
    EmulatedProgram(const EmulatedProgram&) = delete;
    EmulatedProgram& operator=(const EmulatedProgram&) = delete;

    void Start(std::u16string argument);
    // Returns once every program started so far has ended.
    void WaitUntilIdle();
    // The same, except that an export still waiting for its delay is given up: the
    // transfer that asked for it has ended.
    void FinishStartedRuns();
    // The arguments of every run so far, in order.
    std::vector<std::u16string> Runs() const;
    // The configuration the last "k" loaded; nothing before one.
    std::optional<std::string> LoadedConfiguration() const;
    // The names of the lists that the last "i" could not write to the top folder: the
    // desktop's file system may refuse a name that the handheld's holds (Windows' device
    // names, for one). The handheld lists them still, so that the desktop names them.
    std::vector<std::u16string> ListsNotHandedOver() const;

private:
    void Loop();
    void Run(std::u16string_view argument);
    void Export();
    void DropTakenLists();
    void ImportLists();
    void LoadConfiguration();
    bool SleepUnlessGivenUp(std::int64_t milliseconds);

    const std::filesystem::path m_folder;
    Clock& m_clock;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::u16string> m_queue;
    bool m_running = false;
    // Held from the start of a run until the queue is empty again: the program's thread
    // has work that waits for nothing but the clock.
    std::optional<Clock::Activity> m_working;
    bool m_shuttingDown = false;
    // Requested when the program ends or its started runs are to be finished: an export
    // still waiting for its delay is then given up.
    std::stop_source m_giveUp;
    std::vector<std::u16string> m_runs;
    std::optional<std::string> m_loadedConfiguration;
    // The lists the last export handed over, by name, with the bytes handed over; touched
    // only by the program's runs.
    std::map<std::filesystem::path, std::string> m_exported;
    // Written by the program's runs, read by the handheld's list search.
    std::vector<std::u16string> m_notHandedOver;
    std::thread m_thread;
};

} // namespace zvk
