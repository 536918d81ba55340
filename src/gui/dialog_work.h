#pragma once

#include <cstdint>
#include <functional>
#include <stop_token>
#include <thread>

#include "device/progress_display.h"
#include "gui/window_call_queue.h"
#include "reports/list_progress.h"

// A dialog's pass over the lists of the receive folder, run on a thread of its own so
// that the window keeps repainting and answering while thousands of lists are read.
// One pass at a time. What the pass found comes back to the window's thread as a call,
// as does its progress, redrawn only when its percentage changes.
class DialogWork
{
public:
    // Runs on the worker's thread and gives back what the window does with the outcome;
    // it ends early, between two lists, once `stop` is requested.
    using Work = std::function<std::function<void()>(std::stop_token stop,
                                                     const zvk::ListProgress& progress)>;

    // Both run on the window's thread: `showProgress` with the lists read of the lists
    // to read, `showRunning` with true when a pass starts and false when it ends or is
    // stopped, before the outcome is handled.
    DialogWork(std::function<void(std::uint64_t done, std::uint64_t total)> showProgress,
               std::function<void(bool running)> showRunning);
    // A pass still running is stopped and waited for; nothing of it is shown.
    ~DialogWork() = default;
    DialogWork(const DialogWork&) = delete;
    DialogWork& operator=(const DialogWork&) = delete;

    bool Running() const;
    // Starts `work`; no other pass may be running.
    void Start(Work work);
    // Stops the running pass, if any, and waits for its thread: it stops between two
    // lists, so the window waits no longer than one list takes. Its outcome is dropped.
    void Stop();

private:
    std::function<void(std::uint64_t, std::uint64_t)> m_showProgress;
    std::function<void(bool)> m_showRunning;
    WindowCallQueue m_calls;
    zvk::ProgressDisplay m_shown;
    // Last, so that it is joined before what its thread uses goes away.
    std::jthread m_thread;
};
