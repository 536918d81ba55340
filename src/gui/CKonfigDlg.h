#pragma once

#include <array>
#include <filesystem>
#include <memory>

#include <QDialog>

#include "config/device_configuration.h"

class QLineEdit;

namespace Ui {
class CKonfigDlg;
}

// "Nastavenia": edits the company header lines, the captions of the 29 header
// values and the 24 quality codes of the device configuration file.
class CKonfigDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CKonfigDlg(std::filesystem::path configurationFile, QWidget* parent = nullptr);
    ~CKonfigDlg() override;

    // OK: the whole configuration goes into the file at once; when it cannot be
    // written the user is told and the dialog stays open with the edits.
    void accept() override;

private:
    void ShowConfiguration();
    zvk::DeviceConfiguration EnteredConfiguration() const;

    std::unique_ptr<Ui::CKonfigDlg> m_ui;
    std::filesystem::path m_file;
    // As read, so that a value nobody touched is written back byte for byte.
    zvk::DeviceConfiguration m_loaded;
    std::array<QLineEdit*, zvk::DeviceConfiguration::kCompanyLines> m_companyLines{};
    std::array<QLineEdit*, zvk::DeviceConfiguration::kRowCaptions> m_rowCaptions{};
    std::array<QLineEdit*, zvk::DeviceConfiguration::kQualityCodes> m_qualityCodes{};
};
