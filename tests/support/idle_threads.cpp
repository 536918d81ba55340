#include "support/idle_threads.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace zvk::test {
namespace {

#ifdef _WIN32

// Linux's numbers of the system calls that name the calling process and thread.
constexpr long kGetPid = 39;
constexpr long kGetTid = 186;

// Under Wine a Windows program runs as a Linux process whose threads are Linux threads,
// and may ask Linux itself. Wine's server opens every file for its processes, so
// /proc/self would be the server's own: the process and the thread are named by the
// ids that Linux tells them.
long LinuxSystemCall(long number)
{
    static const bool wine =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    if (!wine) {
        std::cerr << "cannot see the threads' states (Linux, or Wine on Linux, needed)\n";
        std::abort();
    }
    long result = 0;
    asm volatile("syscall" : "=a"(result) : "a"(number) : "rcx", "r11", "memory");
    return result;
}

// The kernel's view of the processes: Wine's drive Z: is the Linux root.
const fs::path kProc = "Z:/proc";

fs::path OwnProcess()
{
    static const fs::path own = kProc / std::to_string(LinuxSystemCall(kGetPid));
    return own;
}

std::string OwnThreadId()
{
    return std::to_string(LinuxSystemCall(kGetTid));
}

#else

fs::path OwnProcess()
{
    return "/proc/self";
}

std::string OwnThreadId()
{
    return std::to_string(gettid());
}

#endif

// What the kernel tells of one thread: its state letter and how often it has given up
// the processor so far.
struct ThreadView
{
    char state = '?';
    std::string switches;

    bool operator==(const ThreadView&) const = default;

    bool Asleep() const
    {
        return state != 'R' && state != 'D';
    }
};

ThreadView ViewOf(const fs::path& task)
{
    std::ifstream status(task / "status");
    ThreadView view;
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("State:") && line.size() > 7)
            view.state = line[7];
        else if (line.find("ctxt_switches:") != std::string::npos)
            view.switches += line.substr(line.find(':') + 1);
    }
    return view;
}

// Every other thread of the process by its id; a thread that has just ended is left out.
std::map<std::string, ThreadView> OtherThreads()
{
    const std::string self = OwnThreadId();
    std::map<std::string, ThreadView> threads;
    std::error_code ec;
    for (fs::directory_iterator it(OwnProcess() / "task", ec);
         !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string id = it->path().filename().string();
        if (id == self)
            continue;
        if (const ThreadView view = ViewOf(it->path()); view.state != '?')
            threads.emplace(id, view);
    }
    return threads;
}

bool AllAsleep(const std::map<std::string, ThreadView>& threads)
{
    for (const auto& [id, view] : threads)
        if (!view.Asleep())
            return false;
    return true;
}

#ifdef _WIN32

// The Wine servers on this machine, ours among them (it lives as long as this process):
// found once, by their processes' names.
const std::vector<fs::path>& WineServers()
{
    static const std::vector<fs::path> servers = [] {
        std::vector<fs::path> found;
        std::error_code ec;
        for (fs::directory_iterator it(kProc, ec); !ec && it != fs::directory_iterator();
             it.increment(ec)) {
            std::ifstream comm(it->path() / "comm");
            std::string name;
            if (std::getline(comm, name) && name.starts_with("wineserver"))
                found.push_back(it->path());
        }
        return found;
    }();
    return servers;
}

// Under Wine a thread sleeps while the Wine server answers one of its calls, busy as it
// is. While a call is unanswered, either its thread or the server runs: so when the
// server sleeps, and the threads that slept before it did still sleep afterwards
// without a single switch in between, no call was on its way.
bool NoWineServerCallUnderWay(const std::map<std::string, ThreadView>& before)
{
    for (const fs::path& server : WineServers())
        if (!ViewOf(server).Asleep())
            return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return OtherThreads() == before;
}

#endif

} // namespace

bool OtherThreadsAsleep()
{
    const std::map<std::string, ThreadView> threads = OtherThreads();
    if (!AllAsleep(threads))
        return false;
#ifdef _WIN32
    return NoWineServerCallUnderWay(threads);
#else
    return true;
#endif
}

} // namespace zvk::test
