#include "gui/dialog_work.h"

#include <condition_variable>
#include <mutex>
#include <utility>

#include "device/progress_display.h"

// What the window and the pass's thread share. The thread reaches the window only through
// `calls`, under the mutex; the window empties it when it leaves a pass behind, so that a
// pass ending after its dialog has gone posts nothing into a queue that no longer exists.
struct DialogWork::Pass
{
    explicit Pass(WindowCallQueue* windowCalls) : calls(windowCalls) {}

    // Any thread: hands `call` to the window, unless the window has left the pass.
    void PostToWindow(std::function<void()> call)
    {
        const std::lock_guard lock(mutex);
        if (calls != nullptr)
            calls->Post(std::move(call));
    }

    std::mutex mutex;
    std::condition_variable endedSignal;
    WindowCallQueue* calls;
    bool ended = false;
    // Set by the pass's thread when its work returns, taken on the window's thread.
    std::function<void()> outcome;
    // Only the pass's thread changes it.
    zvk::ProgressDisplay shown;
};

DialogWork::DialogWork(std::function<void(std::uint64_t done, std::uint64_t total)> showProgress,
                       std::function<void(bool running)> showRunning)
    : m_showProgress(std::move(showProgress)), m_showRunning(std::move(showRunning))
{}

DialogWork::~DialogWork()
{
    LeavePass();
}

bool DialogWork::Running() const
{
    return m_thread.joinable();
}

void DialogWork::Start(Work work, WhenStopped whenStopped)
{
    Q_ASSERT(!Running());
    m_whenStopped = whenStopped;
    m_pass = std::make_shared<Pass>(&m_calls);
    m_showRunning(true);
    // The thread holds the pass and its work, never this object: what it posts runs on
    // the window's thread only while the window still has the pass. A stopped pass's
    // calls still in the queue find its stop requested and do nothing: the window has
    // moved on without it.
    m_thread = std::jthread([this, pass = m_pass, work = std::move(work)](std::stop_token stop) {
        const zvk::ListProgress progress = [this, &pass, stop](std::uint64_t done,
                                                               std::uint64_t total) {
            if (pass->shown.Change(done, total))
                pass->PostToWindow([this, stop, done, total] {
                    if (!stop.stop_requested())
                        m_showProgress(done, total);
                });
        };
        std::function<void()> outcome = work(stop, progress);
        {
            const std::lock_guard lock(pass->mutex);
            pass->outcome = std::move(outcome);
            pass->ended = true;
        }
        pass->endedSignal.notify_all();
        pass->PostToWindow([this, stop] {
            if (!stop.stop_requested())
                Finish();
        });
    });
}

void DialogWork::Finish()
{
    m_thread.join();
    // Taken before the window hears that the pass ended: it may start the next pass at
    // once.
    std::function<void()> outcome = std::exchange(m_pass->outcome, {});
    m_pass.reset();
    m_showRunning(false);
    outcome();
}

std::function<void()> DialogWork::LeavePass()
{
    if (!Running())
        return {};
    m_thread.request_stop();
    std::function<void()> outcome;
    bool ended = false;
    {
        std::unique_lock lock(m_pass->mutex);
        ended = m_pass->endedSignal.wait_for(lock, kStopWait, [&] { return m_pass->ended; });
        if (ended)
            outcome = std::exchange(m_pass->outcome, {});
        else
            m_pass->calls = nullptr;
    }
    if (ended)
        m_thread.join();
    else
        m_thread.detach();
    m_pass.reset();
    return outcome;
}

void DialogWork::Stop()
{
    if (!Running())
        return;
    // Taken before the window hears that the pass ended, which may start the next.
    std::function<void()> outcome = LeavePass();
    const WhenStopped whenStopped = m_whenStopped;
    m_showRunning(false);
    if (outcome && whenStopped == WhenStopped::Deliver)
        outcome();
}
