#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace zvk {

// A timer that fires at most once per start, on a thread of its own, for windows that
// have no timers of their own (the terminal, the tests): the link watchdog.
class OneShotTimer
{
public:
    OneShotTimer() = default;
    ~OneShotTimer();
    OneShotTimer(const OneShotTimer&) = delete;
    OneShotTimer& operator=(const OneShotTimer&) = delete;

    // Starts the timer anew; `onFire` runs on the timer's thread.
    void Start(std::chrono::milliseconds period, std::function<void()> onFire);
    // True when the timer was stopped before it fired.
    bool Stop();

private:
    void Join();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_cancelled = false;
    bool m_fired = false;
    std::thread m_thread;
};

} // namespace zvk
