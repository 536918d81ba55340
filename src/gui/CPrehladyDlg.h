#pragma once

#include <array>
#include <filesystem>
#include <memory>

#include <QDialog>

#include "reports/report_selection.h"

class QComboBox;

namespace Ui {
class CPrehladyDlg;
}

// "Prehľady": reports over the data lists of the receive folder, chosen by a
// date range and up to five header values, each with one of the texts the lists
// hold for it. The dialog stays open after a report, with its choices, for the
// next one.
class CPrehladyDlg : public QDialog
{
    Q_OBJECT

public:
    CPrehladyDlg(std::filesystem::path configurationFile, std::filesystem::path receiveFolder,
                 QWidget* parent = nullptr);
    ~CPrehladyDlg() override;

    // The dates and the five rows as the controls show them.
    zvk::ReportSelection Selection() const;

private:
    void FillCaptionCombos();
    // Offers the texts that header value `valueNumber` has in the receive folder's
    // lists; none for the empty entry.
    void FillValueCombo(QComboBox* valueCombo, int valueNumber);
    void OnPrehlad();

    std::unique_ptr<Ui::CPrehladyDlg> m_ui;
    std::filesystem::path m_configurationFile;
    std::filesystem::path m_receiveFolder;
    std::array<QComboBox*, zvk::kCriteriaRowCount> m_captionCombos{};
    std::array<QComboBox*, zvk::kCriteriaRowCount> m_valueCombos{};
};
