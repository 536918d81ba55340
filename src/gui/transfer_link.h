#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include <QObject>
#include <QStringList>
#include <QTimer>

#include "device/link.h"
#include "device/remote_api.h"

class CTarnwickDlg;
class MainWindowPort;

// Everything between the main window and the handheld: the pending operation,
// the link flag, the connection under its one-second watchdog, the transfer
// worker of the pending operation, and the command-line automation. It owns the
// worker threads: closing the window stops them and waits until they ended.
class TransferLink : public QObject
{
    Q_OBJECT

public:
    // `handheldFolder` is the configured folder of the emulated handheld (may be
    // empty); `convertRequested` tells, for each received list, whether to convert it.
    TransferLink(CTarnwickDlg& window, QStringList arguments, std::string handheldFolder,
                 std::function<bool()> convertRequested);
    ~TransferLink() override;

    // A button or the command line asks for a transfer: it starts once the link is up.
    void Start(zvk::PendingOperation operation);
    // The window was shown: the link is ready, and the command line may start a transfer.
    void WindowShown();
    // The window is closing: workers are told to stop and waited for.
    void Shutdown();
    bool IsClosing() const;

    // What the workers ask through the window.
    bool LinkFlag() const;
    void LinkResult(bool connected);
    void StartWatchdog();
    bool StopWatchdog();
    bool HasCommandLineArguments() const;

private:
    void LinkReady(bool enable);
    void AutoStart();
    bool TransferRunning() const;
    void StartTransfer();
    zvk::RemoteApi* Handheld();

    CTarnwickDlg& m_window;
    std::unique_ptr<MainWindowPort> m_port;
    QStringList m_arguments;
    std::string m_handheldFolder;
    zvk::ReceiveSettings m_receiveSettings;
    std::unique_ptr<zvk::RemoteApi> m_handheld;
    // The handheld claimed for the transfer being connected; the transfer's thread takes
    // it over and gives it back after the common ending.
    std::unique_ptr<zvk::TransferClaim> m_claim;

    zvk::PendingOperation m_pending = zvk::PendingOperation::None;
    bool m_linkFlag = false;
    bool m_closing = false;
    QTimer m_watchdog;  // timer 2
    QTimer m_autoStart; // timer 3

    std::atomic<bool> m_connecting = false;
    std::atomic<bool> m_transferring = false;
    std::jthread m_connectThread;
    std::jthread m_transferThread;
};
