#include "cli/handheld_answer.h"

#include <mutex>

#include "device/transfer_session.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

// A port that only keeps what the session reports of the link; nothing is transferred,
// so nothing else is ever told or asked.
class LinkAnswerPort final : public TransferPort
{
public:
    void ShowStage(TransferStage /*stage*/) override {}
    void ShowProgress(std::uint64_t /*done*/, std::uint64_t /*total*/) override {}
    void EnableTransferControls(bool /*enable*/) override {}

    void Report(TransferOutcome outcome) override
    {
        const std::lock_guard lock(m_mutex);
        if (outcome == TransferOutcome::HandheldBusy)
            m_answer.kind = HandheldAnswer::Kind::Busy;
        else if (outcome == TransferOutcome::HandheldNotConnected)
            m_answer.kind = HandheldAnswer::Kind::NotConnected;
    }
    void ReportUnavailable(Unavailable /*what*/, const Failure& failure) override
    {
        const std::lock_guard lock(m_mutex);
        m_answer = {HandheldAnswer::Kind::Unavailable, failure.detail};
    }
    void ReportReceptionFailures(const std::vector<ListFailure>& /*failures*/) override {}
    void ReportKeptVersions(const std::vector<KeptVersion>& /*kept*/) override {}
    void ReportReceiveFolderInHandheld(const fs::path& /*receiveFolder*/,
                                       const fs::path& /*handheldFolder*/) override
    {}
    std::optional<fs::path> AskListToSend(const fs::path& /*initialFolder*/) override
    {
        return std::nullopt;
    }

    HandheldAnswer Answer() const
    {
        const std::lock_guard lock(m_mutex);
        return m_answer;
    }

private:
    mutable std::mutex m_mutex;
    HandheldAnswer m_answer;
};

} // namespace

HandheldAnswer AskHandheld(HandheldChooser& chooser, const HandheldPlace& place,
                           const CommandContext& context)
{
    LinkAnswerPort port;
    Clock& clock = context.clock;
    bool linked = false;
    {
        TransferSession session(
            port, nullptr, clock,
            [&chooser, &place](const fs::path& /*workingFolder*/) { return chooser.Open(place); },
            {{}, false, context.stop});
        session.LinkReady();
        // No operation is pending: the session connects and, the link up, transfers nothing.
        session.Start(PendingOperation::None, {});
        linked = session.WaitUntilEnded();
        // The session closes the link as it ends.
    }
    HandheldAnswer answer = port.Answer();
    // A stop ends the attempt without a report.
    if (!linked && answer.kind == HandheldAnswer::Kind::Answered)
        answer = {HandheldAnswer::Kind::Unavailable, "stopped before it answered"};
    return answer;
}

} // namespace zvk::cli
