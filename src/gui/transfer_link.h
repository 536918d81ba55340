#pragma once

#include <filesystem>
#include <functional>

#include <QStringList>

#include "device/clock.h"
#include "device/handheld_selection.h"
#include "device/transfer_session.h"
#include "link/handheld_choice.h"

class MainWindowPort;

// The main window's side of the transfers: the session of its link, and the command-line
// automation ("/R" and "/K" when the window is shown, a first argument starting with "x"
// or "k" one second after start-up). The window owns it and gives it its port.
class TransferLink
{
public:
    // `arguments` are the program's command line, its name first; `handheld` is where the
    // emulated handheld is looked for, but for the working folder, which is the one of the
    // transfer that opens the link; `inputs` gives, on the window's thread, what a transfer
    // asked for at that moment works with.
    // `network` is what the program's own network link to the handheld needs.
    TransferLink(MainWindowPort& port, const QStringList& arguments, zvk::HandheldPlace handheld,
                 zvk::NetworkLinkPlace network, std::function<zvk::TransferInputs()> inputs,
                 zvk::Clock& clock);
    ~TransferLink();

    // A button or the command line asks for a transfer: it starts once the link is up.
    void Start(zvk::PendingOperation operation);
    // The window was shown: the link is ready, and the command line may start a transfer.
    void WindowShown();
    // The window is closing: questions are answered at once, the transfer is stopped and
    // waited for.
    void Shutdown();

    // "ZVK-42 (MC3190, Windows CE 5.2)": the handheld that last connected over the network
    // link, for the status line; empty before one did.
    QString LinkedHandheldText() const;

private:
    MainWindowPort& m_port;
    const QString m_argumentText;
    const std::function<zvk::TransferInputs()> m_inputs;
    // Outlives the session: the session's transfers open their handhelds through it.
    zvk::HandheldChooser m_chooser;
    zvk::TransferSession m_session;
};
