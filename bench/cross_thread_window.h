#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "device/progress_display.h"
#include "device/transfer_port.h"

namespace zvk::bench {

// A main window on a user-interface thread of its own, handed the worker's calls as the
// program's window is: notices are queued and not waited for, questions are queued and
// waited for, so each costs what a real cross-thread call costs. What the window does
// with a call is next to nothing, as a label and a progress bar cost little. Made with
// `crossThread` false it answers on the caller's thread, to show what the hand-over costs.
class CrossThreadWindow final : public TransferPort
{
public:
    explicit CrossThreadWindow(bool crossThread);
    ~CrossThreadWindow() override;

    void ShowStage(TransferStage stage) override;
    void ShowProgress(std::uint64_t done, std::uint64_t total) override;
    void EnableTransferControls(bool enable) override;
    void Report(TransferOutcome outcome) override;
    void ReportUnavailable(Unavailable what, const Failure& failure) override;
    void ReportReceptionFailures(const std::vector<ListFailure>& failures) override;
    void ReportKeptVersions(const std::vector<KeptVersion>& kept) override;
    void ReportReceiveFolderInHandheld(const std::filesystem::path& receiveFolder,
                                       const std::filesystem::path& handheldFolder) override;
    std::optional<std::filesystem::path>
    AskListToSend(const std::filesystem::path& initialFolder) override;

    // The list that AskListToSend answers with; none is chosen unless this is called.
    void ChooseListToSend(std::filesystem::path list);
    // When the worker told the stage "receiving": the copy of the lists begins.
    std::optional<std::chrono::steady_clock::time_point> ReceivingSince() const;
    // Once every call made so far has been handled.
    unsigned ShownPercent();
    // The last outcome: its number, or the failure's detail.
    const std::string& LastMessage() const;

private:
    // Queues `call` for the window's thread.
    void Post(std::function<void()> call);
    // Queues `call` for the window's thread and returns when it has run.
    void Invoke(std::function<void()> call);
    void Loop();

    const bool m_crossThread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_calls;
    std::uint64_t m_queued = 0;
    std::uint64_t m_handled = 0;
    bool m_quit = false;
    ProgressDisplay m_progress;
    unsigned m_percent = 0;
    std::string m_lastMessage;
    std::optional<std::filesystem::path> m_listToSend;
    std::optional<std::chrono::steady_clock::time_point> m_receivingSince;
    std::thread m_thread;
};

} // namespace zvk::bench
