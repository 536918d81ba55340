#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <QDialog>

namespace Ui {
class CTarnwickDlg;
}

// The main window: the receive folder and the configuration file the rest of
// the program works with, the conversion option, and one button for each job.
class CTarnwickDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CTarnwickDlg(QWidget* parent = nullptr);
    ~CTarnwickDlg() override;

    // Locks (false) or unlocks (true) the controls that start transfers or change
    // the paths they use; the reports, the text import and "Koniec" stay usable.
    void EnableTransferControls(bool enable);
    void ShowStatus(const QString& text);
    void ShowProgress(unsigned percent);

    QString ReceiveFolderText() const;
    QString ConfigurationPathText() const;

private:
    void ReadSettings();
    bool WriteSetting(std::string_view key, const std::string& value);
    void ChooseReceiveFolder();
    void ChooseConfigurationFile();
    void StoreConvertOption(bool convert);
    void EditConfiguration();
    void ImportMeasurementText();
    void Install();

    std::unique_ptr<Ui::CTarnwickDlg> m_ui;
    // Fixed at start-up: later changes of the working directory (every confirmed
    // open-file dialog moves it) do not move the settings.
    std::filesystem::path m_settingsFile;
    std::string m_settingsSection;
};
