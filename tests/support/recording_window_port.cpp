#include "support/recording_window_port.h"

namespace fs = std::filesystem;

namespace zvk::test {

std::vector<std::string> RecordingWindowPort::Events() const
{
    const std::lock_guard lock(m_mutex);
    return m_events;
}

std::vector<std::pair<std::uint64_t, std::uint64_t>> RecordingWindowPort::Progress() const
{
    const std::lock_guard lock(m_mutex);
    return m_progress;
}

std::vector<unsigned> RecordingWindowPort::Percentages() const
{
    std::vector<unsigned> shown;
    for (const auto& [done, total] : Progress())
        if (const std::optional<unsigned> percent = ProgressPercent(done, total))
            shown.push_back(*percent);
    return shown;
}

std::vector<std::string> RecordingWindowPort::Messages() const
{
    std::vector<std::string> messages;
    for (const std::string& event : Events())
        if (event.rfind("message ", 0) == 0)
            messages.push_back(event.substr(8, event.rfind('|') - 8));
    return messages;
}

std::vector<std::string> RecordingWindowPort::Failures() const
{
    std::vector<std::string> failures;
    for (const std::string& event : Events())
        if (event.rfind("failure ", 0) == 0)
            failures.push_back(event.substr(8));
    return failures;
}

void RecordingWindowPort::ShowStatus(std::string_view text)
{
    Record("status " + std::string(text));
}

void RecordingWindowPort::ShowProgress(std::uint64_t done, std::uint64_t total)
{
    {
        const std::lock_guard lock(m_mutex);
        m_progress.emplace_back(done, total);
    }
    if (onProgress)
        onProgress(done, total);
}

void RecordingWindowPort::EnableTransferControls(bool enable)
{
    Record(enable ? "unlock" : "lock");
}

void RecordingWindowPort::ShowMessage(std::string_view text, std::string_view caption,
                                      MessageIcon icon)
{
    Record("message " + std::string(caption) + "|" + std::string(text) +
           (icon == MessageIcon::Error ? "|error" : "|info"));
}

void RecordingWindowPort::ShowReceptionFailures(const std::vector<ListFailure>& failures)
{
    for (const ListFailure& failure : failures) {
        if (failure.step == ListFailure::Step::ReadingHandheld)
            Record("failure not received " + failure.list +
                   " (handheld): " + failure.failure.detail);
        else if (failure.step == ListFailure::Step::DeletingOnHandheld)
            Record("failure still on the handheld " + failure.list + ": " + failure.failure.detail);
        else
            Record(std::string(failure.step == ListFailure::Step::Converting
                                   ? "failure not converted "
                                   : "failure not received ") +
                   failure.list + ": " + failure.failure.file.reason.message());
    }
}

void RecordingWindowPort::ShowHandheldBusy()
{
    Record("refused busy");
}

void RecordingWindowPort::ShowHandheldUnavailable(const Failure& failure)
{
    Record("refused " + failure.detail);
}

void RecordingWindowPort::ShowFileFailure(std::string_view heading, const Failure& failure)
{
    Record("file failure " + std::string(heading) + "|" + failure.detail);
}

void RecordingWindowPort::SetCursor(Cursor cursor)
{
    Record(cursor == Cursor::Wait ? "cursor wait" : "cursor arrow");
}

std::optional<fs::path> RecordingWindowPort::AskListToSend(const fs::path& initialFolder)
{
    Record("ask " + initialFolder.string());
    return listToSend;
}

fs::path RecordingWindowPort::ReceiveFolder()
{
    return receiveFolder;
}

fs::path RecordingWindowPort::ConfigurationPath()
{
    return configurationPath;
}

void RecordingWindowPort::LinkReady()
{
    Record("link ready");
}

void RecordingWindowPort::LinkResult(bool connected)
{
    Record(connected ? "link 1" : "link 0");
}

void RecordingWindowPort::RequestClose()
{
    Record("close");
}

void RecordingWindowPort::Record(std::string event)
{
    const std::lock_guard lock(m_mutex);
    m_events.push_back(std::move(event));
}

} // namespace zvk::test
