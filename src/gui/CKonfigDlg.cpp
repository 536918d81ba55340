#include "gui/CKonfigDlg.h"

#include <QLineEdit>

#include "gui/control_ids.h"
#include "gui/program_texts.h"
#include "gui/show_failure.h"
#include "gui/windows1250_text.h"
#include "gui/windows1250_validator.h"
#include "ui_CKonfigDlg.h"

namespace {

// Control ids of the edit boxes, as the handheld's configuration editor has always numbered them.
constexpr int kFirstCompanyLineId = 1033;
constexpr int kFirstQualityCodeId = 1059;

int RowCaptionId(std::size_t number)
{
    return number <= 23 ? static_cast<int>(1035 + number)
                        : static_cast<int>(1108 + 2 * (number - 24));
}

template <std::size_t N>
void FindEdits(const QWidget* dialog, std::array<QLineEdit*, N>& edits, int (*idOf)(std::size_t))
{
    for (std::size_t i = 0; i < N; ++i) {
        edits[i] = qobject_cast<QLineEdit*>(zvk::FindControl(dialog, idOf(i + 1)));
        Q_ASSERT(edits[i] != nullptr);
        edits[i]->setValidator(new zvk::Windows1250Validator(edits[i]));
    }
}

template <std::size_t N>
void ShowTexts(const std::array<QLineEdit*, N>& edits, const std::array<std::string, N>& texts)
{
    for (std::size_t i = 0; i < N; ++i)
        edits[i]->setText(zvk::FromWindows1250(texts[i]));
}

template <std::size_t N>
void TakeTexts(const std::array<QLineEdit*, N>& edits, const std::array<std::string, N>& loaded,
               std::array<std::string, N>& texts)
{
    for (std::size_t i = 0; i < N; ++i) {
        const QString text = edits[i]->text();
        texts[i] = text == zvk::FromWindows1250(loaded[i]) ? loaded[i] : zvk::ToWindows1250(text);
    }
}

} // namespace

CKonfigDlg::CKonfigDlg(std::filesystem::path configurationFile, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CKonfigDlg>()),
      m_file(std::move(configurationFile))
{
    m_ui->setupUi(this);
    FindEdits(this, m_companyLines,
              [](std::size_t n) { return kFirstCompanyLineId + static_cast<int>(n) - 1; });
    FindEdits(this, m_rowCaptions, &RowCaptionId);
    FindEdits(this, m_qualityCodes,
              [](std::size_t n) { return kFirstQualityCodeId + static_cast<int>(n) - 1; });
    connect(m_ui->okButton, &QPushButton::clicked, this, &CKonfigDlg::accept);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CKonfigDlg::reject);
    ShowConfiguration();
}

CKonfigDlg::~CKonfigDlg() = default;

void CKonfigDlg::ShowConfiguration()
{
    m_loaded = zvk::LoadDeviceConfiguration(m_file);
    ShowTexts(m_companyLines, m_loaded.companyLines);
    ShowTexts(m_rowCaptions, m_loaded.rowCaptions);
    ShowTexts(m_qualityCodes, m_loaded.qualityCodes);
}

zvk::DeviceConfiguration CKonfigDlg::EnteredConfiguration() const
{
    zvk::DeviceConfiguration entered;
    TakeTexts(m_companyLines, m_loaded.companyLines, entered.companyLines);
    TakeTexts(m_rowCaptions, m_loaded.rowCaptions, entered.rowCaptions);
    TakeTexts(m_qualityCodes, m_loaded.qualityCodes, entered.qualityCodes);
    return entered;
}

void CKonfigDlg::accept()
{
    const zvk::Result<> saved = zvk::SaveDeviceConfiguration(m_file, EnteredConfiguration());
    if (!saved) {
        zvk::ShowFailure(this, zvk::kConfigurationNotSaved, saved.error());
        return;
    }
    QDialog::accept();
}
