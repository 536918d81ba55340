#include "gui/CTypDlg.h"

#include "ui_CTypDlg.h"

CTypDlg::CTypDlg(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::CTypDlg>())
{
    m_ui->setupUi(this);
    const zvk::ReportOptions initial;
    m_ui->completeListingCheckBox->setChecked(initial.completeListing);
    m_ui->twoColumnListingCheckBox->setChecked(initial.twoColumnListing);
    m_ui->sortedSummaryCheckBox->setChecked(initial.sortedSummary);
    // A report lists its items in one layout only.
    connect(m_ui->completeListingCheckBox, &QCheckBox::clicked, this, [this](bool checked) {
        if (checked)
            m_ui->twoColumnListingCheckBox->setChecked(false);
    });
    connect(m_ui->twoColumnListingCheckBox, &QCheckBox::clicked, this, [this](bool checked) {
        if (checked)
            m_ui->completeListingCheckBox->setChecked(false);
    });
    connect(m_ui->okButton, &QPushButton::clicked, this, &CTypDlg::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CTypDlg::reject);
}

CTypDlg::~CTypDlg() = default;

zvk::ReportOptions CTypDlg::Options() const
{
    return {m_ui->completeListingCheckBox->isChecked(), m_ui->twoColumnListingCheckBox->isChecked(),
            m_ui->sortedSummaryCheckBox->isChecked()};
}

std::optional<zvk::ReportOptions> CTypDlg::AskReportOptions(QWidget* parent)
{
    CTypDlg dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Options();
}
