#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "device/window_port.h"

namespace zvk::test {

// A main window for running the link and the transfer workers headless: it answers
// with the paths and choices it was given and records what it was asked to do. It is
// safe to call from any thread, like the real window.
class RecordingWindowPort : public WindowPort
{
public:
    // What the window shows or answers; set before a worker starts.
    std::filesystem::path receiveFolder;
    std::filesystem::path configurationPath;
    std::optional<std::filesystem::path> listToSend;
    // Called (outside the recorder's lock) with every progress report, e.g. to stop a
    // worker in the middle of a list.
    std::function<void(std::uint64_t done, std::uint64_t total)> onProgress;

    // Everything but progress, in order: "lock", "unlock", "status TEXT", "cursor wait",
    // "cursor arrow", "message CAPTION|TEXT|info" (or "|error"), "failure FAILURE" (one
    // per list of a reception's closing message), "refused REASON" ("refused busy" when
    // another transfer holds the handheld), "ask FOLDER", "link ready", "link 1" /
    // "link 0", "close".
    std::vector<std::string> Events() const;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> Progress() const;
    // The percentage shown after each progress report that changed it.
    std::vector<unsigned> Percentages() const;
    // The messages alone, as "CAPTION|TEXT".
    std::vector<std::string> Messages() const;
    // The lists of a reception's closing message: "not received NAME (handheld): DETAIL",
    // "not received NAME: REASON" or "not converted NAME: REASON", with the system's
    // reason in its own words.
    std::vector<std::string> Failures() const;

    void ShowStatus(std::string_view text) override;
    void ShowProgress(std::uint64_t done, std::uint64_t total) override;
    void EnableTransferControls(bool enable) override;
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    void ShowReceptionFailures(const std::vector<ListFailure>& failures) override;
    // Recorded as "refused busy" and "refused DETAIL".
    void ShowHandheldBusy() override;
    void ShowHandheldUnavailable(const Failure& failure) override;
    // Recorded as a message ("file failure HEADING|DETAIL").
    void ShowFileFailure(std::string_view heading, const Failure& failure) override;
    void SetCursor(Cursor cursor) override;
    std::optional<std::filesystem::path>
    AskListToSend(const std::filesystem::path& initialFolder) override;
    std::filesystem::path ReceiveFolder() override;
    std::filesystem::path ConfigurationPath() override;
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
