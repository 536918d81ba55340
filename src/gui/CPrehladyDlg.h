#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include <QDialog>

#include "gui/dialog_work.h"
#include "gui/window_context.h"
#include "reports/header_value_texts.h"
#include "reports/report_selection.h"
#include "reports/report_session.h"

class QComboBox;

namespace Ui {
class CPrehladyDlg;
}

// "Prehľady": reports over the data lists of the receive folder, chosen by a
// date range and up to five header values, each with one of the texts the lists
// hold for it. The dialog stays open after a report, with its choices, for the
// next one. The lists are read on a worker thread, one pass at a time, while the
// dialog shows how many it has read; "Zrušiť" stops a pass and closes the dialog.
class CPrehladyDlg : public QDialog
{
    Q_OBJECT

public:
    // Documents are made in the working folder of `context`, and header indexes kept in
    // its cache folder.
    CPrehladyDlg(std::filesystem::path configurationFile, std::filesystem::path receiveFolder,
                 const zvk::WindowContext& context, QWidget* parent = nullptr);
    ~CPrehladyDlg() override;

    // The dates and the five rows as the controls show them.
    zvk::ReportSelection Selection() const;

    // Stops the pass that is running, if any: no document is left of it.
    void reject() override;

private:
    void FillCaptionCombos();
    // Empties the row's value combo and, for a caption other than the empty entry,
    // has it offer the texts that header value has in the receive folder's lists.
    void OnCaptionChanged(std::size_t row);
    // Reads the texts of the first row still waiting for them, when no pass runs.
    void FillNextValueCombo();
    void ShowValueTexts(std::size_t row, const zvk::HeaderValueTexts& found);
    void OnPrehlad();
    // The lists of the report just made whose dates did not decide whether it holds
    // them, said under the progress bar; none hides the line.
    void ShowDateDoubts(const std::vector<zvk::DoubtfulDate>& lists);
    void ShowProgress(std::uint64_t done, std::uint64_t total);
    void ShowWorkRunning(bool running);

    std::unique_ptr<Ui::CPrehladyDlg> m_ui;
    std::filesystem::path m_configurationFile;
    std::filesystem::path m_receiveFolder;
    const std::filesystem::path m_documentFolder;
    const std::filesystem::path m_cacheFolder;
    std::array<QComboBox*, zvk::kCriteriaRowCount> m_captionCombos{};
    std::array<QComboBox*, zvk::kCriteriaRowCount> m_valueCombos{};
    // Rows whose value combo waits for its texts, in the order their captions were
    // chosen, and the row whose texts are being read.
    std::deque<std::size_t> m_waitingRows;
    std::optional<std::size_t> m_fillingRow;
    // Last, so that a pass still running is stopped before the controls go away.
    DialogWork m_work;
};
