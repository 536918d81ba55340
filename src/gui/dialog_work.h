#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>

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
    // it ends early, between two lists, once `stop` is requested. It owns what it reads
    // (copies, not the dialog's members): a pass that does not stop in time is left to
    // end on its own after its dialog has gone.
    using Work = std::function<std::function<void()>(std::stop_token stop,
                                                     const zvk::ListProgress& progress)>;

    // How long a stop waits for the pass to end. A pass stops between two lists, or
    // after the listing or the header index it is reading or saving: well within this.
    // One that does not (a file that never answers) is left behind, so that "Zrušiť"
    // and closing the window always work.
    static constexpr std::chrono::milliseconds kStopWait{1000};

    // Both run on the window's thread: `showProgress` with the lists read of the lists
    // to read, `showRunning` with true when a pass starts and false when it ends or is
    // stopped, before the outcome is handled.
    DialogWork(std::function<void(std::uint64_t done, std::uint64_t total)> showProgress,
               std::function<void(bool running)> showRunning);
    // A pass still running is stopped as Stop() stops it; nothing of it is shown.
    ~DialogWork();
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
    // Stops the running pass, if any, and waits up to kStopWait for its thread. A pass
    // that has not ended by then is left behind: it runs on unseen, and nothing it
    // does afterwards reaches the window.
    void Stop();

private:
    struct Pass;

    // Ends the window's part in the running pass: the pass's outcome when it ended in
    // time, nothing when it was left behind.
    std::function<void()> LeavePass();
    // On the window's thread, once the pass's work has returned and it was not stopped.
    void Finish();

    std::function<void(std::uint64_t, std::uint64_t)> m_showProgress;
    std::function<void(bool)> m_showRunning;
    WindowCallQueue m_calls;
    WhenStopped m_whenStopped = WhenStopped::Drop;
    // Shared with the pass's thread, which may outlive this object.
    std::shared_ptr<Pass> m_pass;
    std::jthread m_thread;
};
