#include "gui/dialog_work.h"

#include <utility>

DialogWork::DialogWork(std::function<void(std::uint64_t done, std::uint64_t total)> showProgress,
                       std::function<void(bool running)> showRunning)
    : m_showProgress(std::move(showProgress)), m_showRunning(std::move(showRunning))
{}

bool DialogWork::Running() const
{
    return m_thread.joinable();
}

void DialogWork::Start(Work work, WhenStopped whenStopped)
{
    Q_ASSERT(!Running());
    m_whenStopped = whenStopped;
    m_shown.Shown(std::nullopt);
    m_showRunning(true);
    m_thread = std::jthread([this, work = std::move(work)](std::stop_token stop) {
        // A stopped pass's calls still in the queue find its stop requested and do
        // nothing: the window has moved on without it.
        const zvk::ListProgress progress = [this, stop](std::uint64_t done, std::uint64_t total) {
            if (m_shown.Change(done, total))
                m_calls.Post([this, stop, done, total] {
                    if (!stop.stop_requested())
                        m_showProgress(done, total);
                });
        };
        // The queue hands the outcome over to the window's thread; Stop() takes it
        // once the thread has been joined.
        m_outcome = work(stop, progress);
        m_calls.Post([this, stop] {
            if (stop.stop_requested())
                return;
            m_thread.join();
            // Taken before the window hears that the pass ended: it may start the next
            // pass at once, whose thread sets the next outcome.
            std::function<void()> outcome = std::exchange(m_outcome, {});
            m_showRunning(false);
            outcome();
        });
    });
}

void DialogWork::Stop()
{
    if (!Running())
        return;
    m_thread.request_stop();
    m_thread.join();
    // Both taken before the window hears that the pass ended, which may start the next.
    std::function<void()> outcome = std::exchange(m_outcome, {});
    const WhenStopped whenStopped = m_whenStopped;
    m_showRunning(false);
    if (outcome && whenStopped == WhenStopped::Deliver)
        outcome();
}
