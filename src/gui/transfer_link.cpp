#include "gui/transfer_link.h"

#include <QCoreApplication>
#include <QThread>

#include "device/handheld_selection.h"
#include "gui/CTarnwickDlg.h"
#include "gui/main_window_port.h"
#include "gui/message_box.h"
#include "platform/texts.h"

namespace {

constexpr int kLinkWatchdogMs = 1000;
constexpr int kAutoStartMs = 1000;

// The argument text after the program name, as the command line gave it.
QString ArgumentText(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

} // namespace

TransferLink::TransferLink(CTarnwickDlg& window, QStringList arguments, std::string handheldFolder,
                           std::function<bool()> convertRequested)
    : m_window(window), m_port(std::make_unique<MainWindowPort>(window, *this)),
      m_arguments(std::move(arguments)), m_handheldFolder(std::move(handheldFolder))
{
    m_receiveSettings.convertRequested = std::move(convertRequested);
    m_watchdog.setObjectName(QStringLiteral("linkWatchdogTimer"));
    m_watchdog.setSingleShot(true);
    m_watchdog.setInterval(kLinkWatchdogMs);
    connect(&m_watchdog, &QTimer::timeout, this, [this] { LinkResult(false); });
    m_autoStart.setObjectName(QStringLiteral("autoStartTimer"));
    m_autoStart.setSingleShot(true);
    connect(&m_autoStart, &QTimer::timeout, this, &TransferLink::AutoStart);
    m_autoStart.start(kAutoStartMs);
}

TransferLink::~TransferLink()
{
    Shutdown();
    if (m_linkFlag && m_handheld)
        m_handheld->CeRapiUninit();
}

void TransferLink::Start(zvk::PendingOperation operation)
{
    if (m_closing || TransferRunning())
        return;
    // Several presses before the link is up: the last one decides what is transferred.
    m_pending = operation;
    if (m_connecting)
        return;
    zvk::RemoteApi* handheld = Handheld();
    if (handheld == nullptr)
        return;
    m_claim = zvk::ClaimHandheldForTransfer(*m_port, *handheld);
    if (!m_claim)
        return;
    if (m_connectThread.joinable())
        m_connectThread.join();
    m_connecting = true;
    m_connectThread = std::jthread([this, handheld] {
        zvk::ConnectWorker(*m_port, *handheld);
        m_connecting = false;
    });
}

zvk::RemoteApi* TransferLink::Handheld()
{
    if (!m_handheld) {
        std::string error;
        m_handheld = zvk::OpenHandheld(m_handheldFolder, error);
        if (!m_handheld) {
            zvk::ShowMessageBox(&m_window,
                                QString::fromUtf8(zvk::texts::kHandheldUnavailable) +
                                    QLatin1Char('\n') + QString::fromStdString(error),
                                zvk::kErrorCaption, QMessageBox::Information);
        }
    }
    return m_handheld.get();
}

void TransferLink::WindowShown()
{
    m_linkFlag = false;
    LinkReady(true);
}

void TransferLink::LinkReady(bool enable)
{
    m_window.EnableLinkButtons(enable);
    m_linkFlag = enable;
    if (!enable)
        return;
    const QString text = ArgumentText(m_arguments);
    if (text == QStringLiteral("/R"))
        Start(zvk::PendingOperation::ReceiveLists);
    else if (text == QStringLiteral("/K"))
        Start(zvk::PendingOperation::SendConfiguration);
}

void TransferLink::AutoStart()
{
    if (!HasCommandLineArguments() || m_arguments[1].isEmpty())
        return;
    const QChar first = m_arguments[1].front();
    if (first == QLatin1Char('x'))
        Start(zvk::PendingOperation::ReceiveLists);
    else if (first == QLatin1Char('k'))
        Start(zvk::PendingOperation::SendConfiguration);
}

void TransferLink::LinkResult(bool connected)
{
    m_window.EnableConnectionButtons(connected);
    if (!connected) {
        m_claim.reset();
        m_linkFlag = false;
        if (m_closing)
            return;
        zvk::ShowMessageBox(&m_window,
                            QStringLiteral("Pripojte počítač pomocou Microsoft ActiveSync a znova "
                                           "spustite prenosový program!"),
                            zvk::kWarningCaption, QMessageBox::Critical);
        m_window.reject();
        return;
    }
    if (m_linkFlag && m_pending != zvk::PendingOperation::None)
        StartTransfer();
    m_linkFlag = true;
    // A link that started no transfer holds the handheld no longer.
    m_claim.reset();
}

void TransferLink::StartTransfer()
{
    if (m_closing || TransferRunning())
        return;
    if (m_transferThread.joinable())
        m_transferThread.join();
    m_transferring = true;
    const zvk::PendingOperation operation = m_pending;
    m_transferThread =
        std::jthread([this, operation, claim = std::move(m_claim)](std::stop_token stop) mutable {
            zvk::RunTransferWorker(operation, *m_port, *m_handheld, m_receiveSettings, stop);
            claim.reset();
            m_transferring = false;
        });
}

void TransferLink::StartWatchdog()
{
    m_watchdog.start();
}

bool TransferLink::StopWatchdog()
{
    if (!m_watchdog.isActive())
        return false;
    m_watchdog.stop();
    return true;
}

bool TransferLink::LinkFlag() const
{
    return m_linkFlag;
}

bool TransferLink::HasCommandLineArguments() const
{
    return m_arguments.size() > 1;
}

bool TransferLink::TransferRunning() const
{
    return m_transferring;
}

bool TransferLink::IsClosing() const
{
    return m_closing;
}

void TransferLink::Shutdown()
{
    if (m_closing)
        return;
    m_closing = true;
    m_watchdog.stop();
    m_autoStart.stop();
    m_transferThread.request_stop();
    // A link still being opened is given up, so that its worker ends.
    if (m_connecting && m_handheld)
        m_handheld->CeRapiUninit();
    // The workers' calls are carried out on this thread: keep answering them
    // until both have ended.
    while (m_connecting || m_transferring) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    if (m_connectThread.joinable())
        m_connectThread.join();
    if (m_transferThread.joinable())
        m_transferThread.join();
    m_claim.reset();
}
