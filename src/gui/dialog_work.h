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

    // What becomes of the outcome of a pass that is stopped: the texts of a value combo
    // read for a caption no longer chosen are dropped; a document is shown when it was
    // finished before the stop came, and its maker says nothing of a stop the user asked for.
    enum class WhenStopped
    {
        Drop,
        Deliver,
    };

    bool Running() const;
    // Starts `work`; no other pass may be running.
    void Start(Work work, WhenStopped whenStopped = WhenStopped::Drop);
    // Stops the running pass, if any, and waits for its thread: it stops between two
    // lists, so the window waits no longer than one list takes.
    void Stop();

private:
    std::function<void(std::uint64_t, std::uint64_t)> m_showProgress;
    std::function<void(bool)> m_showRunning;
    WindowCallQueue m_calls;
    zvk::ProgressDisplay m_shown;
    WhenStopped m_whenStopped = WhenStopped::Drop;
    // Set by the pass's thread when its work returns, taken on the window's thread.
    std::function<void()> m_outcome;
    // Last, so that it is joined before what its thread uses goes away.
    std::jthread m_thread;
};
