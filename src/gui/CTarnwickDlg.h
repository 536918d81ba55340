#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QDialog>
#include <QStringList>

#include "config/desktop_settings.h"
#include "device/clock.h"
#include "device/transfer_inputs.h"
#include "gui/dialog_work.h"
#include "gui/window_context.h"

class MainWindowPort;
class HandheldPasswordPrompt;
class TransferLink;

namespace Ui {
class CTarnwickDlg;
}

// The main window: the receive folder and the configuration file the rest of
// the program works with, the conversion option, and one button for each job.
class CTarnwickDlg : public QDialog
{
    Q_OBJECT

public:
    // `context` is what main read of the process; `arguments` are the program's command
    // line, its name first; the link and the emulated handheld take their time from `clock`.
    explicit CTarnwickDlg(zvk::WindowContext context,
                          const QStringList& arguments = QCoreApplication::arguments(),
                          QWidget* parent = nullptr, zvk::Clock& clock = zvk::SteadyClock());
    ~CTarnwickDlg() override;

    // Closing stops a running transfer first; nothing is left half-written.
    void done(int result) override;

    // Locks (false) or unlocks (true) the controls that start transfers or change
    // the paths they use; the reports, the text import and "Koniec" stay usable.
    void EnableTransferControls(bool enable);
    void ShowStatus(const QString& text);
    void ShowIdleStatus();
    void ShowProgress(unsigned percent);
    // "Zoznam poslať" and "Zoznamy prijať" follow the readiness of the link;
    // "Poslať" and "Zoznamy prijať" follow the outcome of a connection.
    void EnableLinkButtons(bool enable);
    void EnableConnectionButtons(bool enable);

    QString ReceiveFolderText() const;
    QString ConfigurationPathText() const;
    // What a transfer asked for now works with: the paths shown, the conversion option in
    // force and the working folder.
    zvk::TransferInputs TransferInputsNow() const;
    // The program's open-file dialog (zvk::AskOpenFileName); a confirmed choice makes the
    // chosen file's folder the window's working folder.
    QString AskOpenFile(const QString& initialFolder, const QString& filter);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ReadSettings();
    void ChooseReceiveFolder();
    void ChooseConfigurationFile();
    bool PathStored(const zvk::Result<>& stored);
    void StoreConvertOption(bool convert);
    void EditConfiguration();
    void OpenReports();
    void MakeConsignment();
    void ImportMeasurementText();
    void Install();

    std::unique_ptr<Ui::CTarnwickDlg> m_ui;
    // Its working folder moves with every confirmed open-file dialog: the installer, the
    // documents and the default handheld/ are looked for where it is at the time.
    zvk::WindowContext m_context;
    // Fixed at start-up: later changes of the working directory (every confirmed
    // open-file dialog moves it) do not move the settings.
    zvk::DesktopSettings m_settings;
    std::unique_ptr<MainWindowPort> m_port;
    // Asked by the link's transfers: it outlives them.
    std::unique_ptr<HandheldPasswordPrompt> m_passwords;
    std::unique_ptr<TransferLink> m_link;
    bool m_shownBefore = false;
    // The consignment note, made on a thread of its own. Last, so that a note still being
    // made is stopped before the rest of the window goes.
    DialogWork m_documentWork;
};
