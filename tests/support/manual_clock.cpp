#include "support/manual_clock.h"

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace zvk::test {
namespace {

// The kernel's view of the process. Under Wine every Windows thread is a Linux thread of
// the same process, and Wine's drive Z: is the Linux root, so the same view serves there.
#ifdef _WIN32
const fs::path kProc = "Z:/proc";
#else
const fs::path kProc = "/proc";
#endif

// The kernel's id of the calling thread: the first field of its stat.
std::string OwnThreadId()
{
    std::ifstream stat(kProc / "thread-self" / "stat");
    std::string id;
    stat >> id;
    return id;
}

// True when no other thread of this process runs or waits for the disk: each waits for a
// lock, a condition, the clock or another process. A system without that view (Windows
// itself) cannot tell: the test program ends with the reason rather than guess.
bool OtherThreadsAsleep()
{
    const std::string self = OwnThreadId();
    if (self.empty()) {
        std::cerr << "ManualClock: cannot see the threads' states in " << kProc
                  << " (Linux, or Wine on Linux, needed)\n";
        std::abort();
    }
    std::error_code ec;
    for (fs::directory_iterator it(kProc / "self" / "task", ec);
         !ec && it != fs::directory_iterator(); it.increment(ec)) {
        if (it->path().filename() == self)
            continue;
        std::ifstream stat(it->path() / "stat");
        std::string text;
        std::getline(stat, text);
        const std::size_t name = text.rfind(')');
        if (name == std::string::npos || name + 2 >= text.size())
            continue; // the thread has just ended
        const char state = text[name + 2];
        if (state == 'R' || state == 'D')
            return false;
    }
    return true;
}

} // namespace

Clock::TimePoint ManualClock::Now()
{
    const std::lock_guard lock(m_mutex);
    return m_now;
}

bool ManualClock::WaitUntil(TimePoint deadline, std::stop_token stop)
{
    std::unique_lock lock(m_mutex);
    const auto registered = m_deadlines.insert(deadline);
    m_changed.notify_all();
    const bool came = m_changed.wait(lock, stop, [&] { return m_now >= deadline; });
    m_deadlines.erase(registered);
    m_changed.notify_all();
    return came && !stop.stop_requested();
}

void ManualClock::Advance(Duration step)
{
    {
        const std::lock_guard lock(m_mutex);
        m_now += step;
    }
    m_changed.notify_all();
}

bool ManualClock::AwaitWaiters(std::size_t count)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(10),
                              [&] { return m_deadlines.size() >= count; });
}

bool ManualClock::AdvanceWhenWaiting(Duration step, std::size_t count)
{
    const bool waiting = AwaitWaiters(count);
    Advance(step);
    return waiting;
}

bool ManualClock::AdvanceIfIdle()
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_deadlines.upper_bound(m_now) == m_deadlines.end())
            return false;
    }
    if (!OtherThreadsAsleep())
        return false;
    {
        const std::lock_guard lock(m_mutex);
        const auto next = m_deadlines.upper_bound(m_now);
        if (next == m_deadlines.end())
            return false;
        m_now = *next;
    }
    m_changed.notify_all();
    return true;
}

void ManualClock::RunAdvancing(const std::function<void()>& work)
{
    std::atomic<bool> done = false;
    std::jthread worker([&] {
        work();
        done = true;
    });
    while (!done)
        if (!AdvanceIfIdle())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace zvk::test
