#pragma once

#include <memory>
#include <optional>

#include <QDialog>

#include "reports/report_session.h"

namespace Ui {
class CTypDlg;
}

// "Typ zostavy": what a report or consignment note holds. It opens with the
// complete listing and the sorted summary ticked; at most one of the two
// listings can be ticked, and both may be off.
class CTypDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CTypDlg(QWidget* parent = nullptr);
    ~CTypDlg() override;

    // The choice as the check boxes show it.
    zvk::ReportOptions Options() const;

    // Runs the dialog; the options confirmed with OK, nothing when it was cancelled.
    static std::optional<zvk::ReportOptions> AskReportOptions(QWidget* parent);

private:
    std::unique_ptr<Ui::CTypDlg> m_ui;
};
