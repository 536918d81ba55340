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

class MainWindowPort;
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
    // `arguments` are the program's command line, its name first; the link and the
    // emulated handheld take their time from `clock`; a new emulated handheld starts with
    // the lists in `sampleLists` (none when empty).
    explicit CTarnwickDlg(const QStringList& arguments = QCoreApplication::arguments(),
                          QWidget* parent = nullptr, zvk::Clock& clock = zvk::SteadyClock(),
                          std::filesystem::path sampleLists = {});
    ~CTarnwickDlg() override;

    // Closing stops a running transfer first; nothing is left half-written.
    void done(int result) override;

    // Locks (false) or unlocks (true) the controls that start transfers or change
    // the paths they use; the reports, the text import and "Koniec" stay usable.
    void EnableTransferControls(bool enable);
    void ShowStatus(const QString& text);
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
    // Fixed at start-up: later changes of the working directory (every confirmed
    // open-file dialog moves it) do not move the settings.
    zvk::DesktopSettings m_settings;
    std::unique_ptr<MainWindowPort> m_port;
    std::unique_ptr<TransferLink> m_link;
    bool m_shownBefore = false;
    // The consignment note, made on a thread of its own. Last, so that a note still being
    // made is stopped before the rest of the window goes.
    DialogWork m_documentWork;
};
