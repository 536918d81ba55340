#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "device/transfer_inputs.h"
#include "device/transfer_port.h"

namespace zvk::test {

// A main window for running the link and the transfer workers headless: it answers
// with the paths and choices it was given and records what it was told, by meaning
// rather than in words. It is safe to call from any thread, like the real window.
class RecordingWindowPort : public TransferPort, public LinkNotices
{
public:
    // What the window shows or answers; set before a worker starts.
    std::filesystem::path receiveFolder;
    std::filesystem::path configurationPath;
    bool convertReceivedLists = false;
    std::filesystem::path workingFolder;
    std::optional<std::filesystem::path> listToSend;
    // Called (outside the recorder's lock) with every progress report, e.g. to stop a
    // worker in the middle of a list.
    std::function<void(std::uint64_t done, std::uint64_t total)> onProgress;

    // Everything but progress, in order: "lock", "unlock", "stage STAGE" ("sending
    // configuration", "preparing export", "receiving"), "outcome OUTCOME" ("handheld
    // busy", "not connected", "program not started", "configuration is a list", "send
    // failed", "configuration sent", "list sent", "search failed", "nothing to receive",
    // "received"), "unavailable WHAT|DETAIL" ("handheld", "receive folder",
    // "configuration", "list to send"), "outcome receive folder in handheld|FOLDER|
    // HANDHELD FOLDER", "failure FAILURE" (one per list of a reception's closing
    // message), "ask FOLDER", "link ready", "link 1" / "link 0", "close".
    std::vector<std::string> Events() const;
    // What a transfer started now works with, as the window gives it to the session.
    TransferInputs Inputs() const;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> Progress() const;
    // The percentage shown after each progress report that changed it.
    std::vector<unsigned> Percentages() const;
    // The outcomes alone, without "outcome ".
    std::vector<std::string> Outcomes() const;
    // The lists of a reception's closing message: "not received NAME (handheld): DETAIL",
    // "not received NAME: REASON" or "not converted NAME: REASON", with the system's
    // reason in its own words.
    std::vector<std::string> Failures() const;

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
    void LinkReady() override;
    void LinkResult(bool connected) override;
    void RequestClose() override;

private:
    void Record(std::string event);

    mutable std::mutex m_mutex;
    std::vector<std::string> m_events;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_progress;
};

} // namespace zvk::test
