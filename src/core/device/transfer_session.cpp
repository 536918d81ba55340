#include "device/transfer_session.h"

#include "device/send_workers.h"

namespace zvk {

TransferSession::TransferSession(TransferPort& port, LinkNotices* links, Clock& clock,
                                 HandheldOpener open, Options options)
    : m_port(port), m_links(links), m_clock(clock), m_open(std::move(open)),
      m_options(std::move(options)),
      m_stopWhen(m_options.stopWhen, [this] { m_stop.request_stop(); })
{}

TransferSession::~TransferSession()
{
    Stop();
    if (m_linkFlag && m_handheld)
        m_handheld->CeRapiUninit();
}

void TransferSession::LinkReady()
{
    {
        const std::lock_guard lock(m_mutex);
        m_linkFlag = true;
    }
    if (m_links)
        m_links->LinkReady();
}

void TransferSession::Start(PendingOperation operation, TransferInputs inputs)
{
    const std::lock_guard lock(m_mutex);
    if (m_stop.stop_requested() || m_phase == Phase::Transferring)
        return;
    // Several presses before the link is up: the last one decides what is transferred.
    m_pending = operation;
    m_pendingInputs = std::move(inputs);
    if (m_phase == Phase::Connecting)
        return;
    // The attempt before has ended (it made the session idle as its last step).
    if (m_attempt.joinable())
        m_attempt.join();
    m_phase = Phase::Connecting;
    m_attempt = std::jthread([this, working = Clock::Activity(m_clock)] { Attempt(); });
}

void TransferSession::StartAfter(Clock::Duration delay, PendingOperation operation,
                                 TransferInputs inputs)
{
    const Clock::TimePoint deadline = m_clock.Now() + delay;
    const std::lock_guard lock(m_mutex);
    // Once per session: replacing a waiting start would wait here, holding the mutex,
    // for a thread that needs it to end.
    if (m_stop.stop_requested() || m_autoStart.joinable())
        return;
    m_autoStart = std::jthread([this, deadline, operation, inputs = std::move(inputs),
                                waiting = Clock::Activity(m_clock)]() mutable {
        if (m_clock.WaitUntil(deadline, m_stop.get_token()))
            Start(operation, std::move(inputs));
    });
}

void TransferSession::Stop()
{
    m_stop.request_stop();
    std::jthread autoStart;
    std::jthread attempt;
    {
        const std::lock_guard lock(m_mutex);
        autoStart = std::move(m_autoStart);
        attempt = std::move(m_attempt);
    }
    if (autoStart.joinable())
        autoStart.join();
    if (attempt.joinable())
        attempt.join();
}

bool TransferSession::WaitUntilEnded()
{
    std::unique_lock lock(m_mutex);
    m_ended.wait(lock, [this] { return m_phase == Phase::Idle; });
    return m_succeeded;
}

void TransferSession::Attempt()
{
    std::filesystem::path workingFolder;
    {
        const std::lock_guard lock(m_mutex);
        workingFolder = m_pendingInputs.workingFolder;
    }
    RemoteApi* handheld = OpenedHandheld(workingFolder);
    if (handheld == nullptr)
        return End(false);
    std::unique_ptr<TransferClaim> claim = Claim(*handheld);
    if (!claim)
        return End(false);
    if (!Connect(*handheld)) {
        claim.reset();
        LinkFailed();
        return End(false);
    }
    PendingOperation operation = PendingOperation::None;
    TransferInputs inputs;
    {
        const std::lock_guard lock(m_mutex);
        if (m_linkFlag && !m_stop.stop_requested()) {
            operation = m_pending;
            inputs = m_pendingInputs;
            if (operation != PendingOperation::None)
                m_phase = Phase::Transferring;
        }
        m_linkFlag = true;
    }
    if (m_links)
        m_links->LinkResult(true);
    bool succeeded = !m_stop.stop_requested();
    if (operation != PendingOperation::None) {
        succeeded = RunTransferWorker(operation, inputs, *handheld);
        CloseIfAsked();
    }
    // Given back only after the common ending: the next transfer may then begin.
    claim.reset();
    End(succeeded);
}

RemoteApi* TransferSession::OpenedHandheld(const std::filesystem::path& workingFolder)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_handheld)
            return m_handheld.get();
    }
    Result<std::unique_ptr<RemoteApi>> opened = m_open(workingFolder);
    if (!opened) {
        m_port.ReportUnavailable(Unavailable::Handheld, opened.error());
        return nullptr;
    }
    const std::lock_guard lock(m_mutex);
    m_handheld = std::move(opened).value();
    return m_handheld.get();
}

// A handheld that cannot be claimed ends the transfer at once, with the common ending.
std::unique_ptr<TransferClaim> TransferSession::Claim(RemoteApi& handheld)
{
    Result<ClaimOutcome> claim = handheld.ClaimForTransfer();
    if (!claim)
        m_port.ReportUnavailable(Unavailable::Handheld, claim.error());
    else if (!claim->IsBusy())
        return claim->Take();
    else
        m_port.Report(TransferOutcome::HandheldBusy);
    FinishTransfer(m_port);
    CloseIfAsked();
    return nullptr;
}

// An open link is closed first; then CeRapiInit may block as long as the handheld needs,
// while the watchdog gives it kLinkWatchdogPeriod. A link that comes up too late is
// closed again, since the failure is already being reported.
bool TransferSession::Connect(RemoteApi& handheld)
{
    bool linkFlag = false;
    {
        const std::lock_guard lock(m_mutex);
        linkFlag = m_linkFlag;
    }
    if (linkFlag)
        handheld.CeRapiUninit();
    const Clock::TimePoint deadline = m_clock.Now() + kLinkWatchdogPeriod;
    std::mutex mutex;
    bool decided = false;
    bool connected = false;
    bool late = false;
    std::stop_source answered;
    const std::stop_callback stopping(m_stop.get_token(), [&answered] { answered.request_stop(); });
    std::jthread init([&, working = Clock::Activity(m_clock)] {
        // E_FAIL is reported by the watchdog alone.
        if (handheld.CeRapiInit() == kE_FAIL)
            return;
        const std::lock_guard lock(mutex);
        if (decided) {
            late = true; // the failure is already decided
            return;
        }
        decided = true;
        connected = true;
        answered.request_stop();
    });
    m_clock.WaitUntil(deadline, answered.get_token());
    {
        const std::lock_guard lock(mutex);
        decided = true;
    }
    if (!connected)
        handheld.CeRapiUninit(); // gives up an attempt still waiting
    init.join();
    if (late)
        handheld.CeRapiUninit();
    return connected;
}

// The warning that the handheld is not connected, then the program closes.
void TransferSession::LinkFailed()
{
    {
        const std::lock_guard lock(m_mutex);
        m_linkFlag = false;
    }
    if (m_links)
        m_links->LinkResult(false);
    if (m_stop.stop_requested())
        return;
    m_port.Report(TransferOutcome::HandheldNotConnected);
    if (m_links)
        m_links->RequestClose();
}

bool TransferSession::RunTransferWorker(PendingOperation operation, const TransferInputs& inputs,
                                        RemoteApi& handheld)
{
    switch (operation) {
    case PendingOperation::None:
        return true;
    case PendingOperation::SendConfiguration:
        return SendConfigurationWorker(m_port, handheld, inputs.configurationPath);
    case PendingOperation::ReceiveLists:
        return ReceiveListsWorker(m_port, handheld, inputs, m_options.receive, m_clock,
                                  m_stop.get_token());
    case PendingOperation::SendList:
        return SendListWorker(m_port, handheld, inputs.receiveFolder);
    }
    return false;
}

// Not when the window itself stopped the transfer because it is closing.
void TransferSession::CloseIfAsked()
{
    if (m_options.closeAfterEachTransfer && m_links && !m_stop.stop_requested())
        m_links->RequestClose();
}

void TransferSession::End(bool succeeded)
{
    {
        const std::lock_guard lock(m_mutex);
        m_phase = Phase::Idle;
        m_succeeded = succeeded;
    }
    m_ended.notify_all();
}

} // namespace zvk
