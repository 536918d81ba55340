#include "cross_thread_window.h"

#include <string>

namespace fs = std::filesystem;

namespace zvk::bench {

CrossThreadWindow::CrossThreadWindow(bool crossThread)
    : m_crossThread(crossThread), m_thread([this] { Loop(); })
{}

CrossThreadWindow::~CrossThreadWindow()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void CrossThreadWindow::Post(std::function<void()> call)
{
    if (!m_crossThread) {
        call();
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_calls.push_back(std::move(call));
        ++m_queued;
    }
    m_wake.notify_all();
}

void CrossThreadWindow::Invoke(std::function<void()> call)
{
    if (!m_crossThread) {
        call();
        return;
    }
    std::unique_lock lock(m_mutex);
    m_calls.push_back(std::move(call));
    const std::uint64_t ticket = ++m_queued;
    m_wake.notify_all();
    m_wake.wait(lock, [this, ticket] { return m_handled >= ticket; });
}

void CrossThreadWindow::Loop()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_wake.wait(lock, [this] { return m_quit || !m_calls.empty(); });
        if (m_calls.empty())
            return;
        const std::function<void()> call = std::move(m_calls.front());
        m_calls.pop_front();
        lock.unlock();
        call();
        lock.lock();
        ++m_handled;
        m_wake.notify_all();
    }
}

void CrossThreadWindow::ShowStage(TransferStage stage)
{
    // Taken on the worker's thread, when it tells the stage, not when the window shows it.
    if (stage == TransferStage::Receiving)
        m_receivingSince = std::chrono::steady_clock::now();
    Post([] {});
}

void CrossThreadWindow::ShowProgress(std::uint64_t done, std::uint64_t total)
{
    // As the program's window does: a report that leaves the display as it is
    // does not cross threads.
    if (const std::optional<unsigned> percent = m_progress.Change(done, total))
        Post([this, shown = *percent] { m_percent = shown; });
}

void CrossThreadWindow::EnableTransferControls(bool enable)
{
    Post([] {});
    m_progress.Shown(enable ? std::nullopt : std::optional<unsigned>(0));
}

void CrossThreadWindow::Report(TransferOutcome outcome)
{
    Invoke([this, message = "outcome " + std::to_string(static_cast<int>(outcome))] {
        m_lastMessage = message;
    });
}

void CrossThreadWindow::ReportReceiveFolderInHandheld(const fs::path& /*receiveFolder*/,
                                                      const fs::path& /*handheldFolder*/)
{
    Invoke([this] { m_lastMessage = "the receive folder lies in the handheld's"; });
}

void CrossThreadWindow::ReportReceptionFailures(const std::vector<ListFailure>& failures)
{
    Invoke([this, first = failures.front().list + ": " + failures.front().failure.detail] {
        m_lastMessage = first;
    });
}

void CrossThreadWindow::ReportKeptVersions(const std::vector<KeptVersion>& kept)
{
    Invoke([this, first = kept.front().keptAs.string()] { m_lastMessage = first; });
}

void CrossThreadWindow::ReportUnavailable(Unavailable /*what*/, const Failure& failure)
{
    Invoke([this, message = failure.detail] { m_lastMessage = message; });
}

std::optional<fs::path> CrossThreadWindow::AskListToSend(const fs::path& /*initialFolder*/)
{
    std::optional<fs::path> chosen;
    Invoke([this, &chosen] { chosen = m_listToSend; });
    return chosen;
}

void CrossThreadWindow::ChooseListToSend(fs::path list)
{
    m_listToSend = std::move(list);
}

std::optional<std::chrono::steady_clock::time_point> CrossThreadWindow::ReceivingSince() const
{
    return m_receivingSince;
}

unsigned CrossThreadWindow::ShownPercent()
{
    Invoke([] {});
    return m_percent;
}

const std::string& CrossThreadWindow::LastMessage() const
{
    return m_lastMessage;
}

} // namespace zvk::bench
