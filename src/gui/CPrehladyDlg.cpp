#include "gui/CPrehladyDlg.h"

#include <algorithm>

#include <QCollator>
#include <QComboBox>
#include <QDate>
#include <QLocale>

#include "device/window_port.h"
#include "gui/control_ids.h"
#include "gui/date_doubt_text.h"
#include "gui/document_making.h"
#include "gui/file_failure_text.h"
#include "gui/message_box.h"
#include "gui/program_texts.h"
#include "gui/windows1250_text.h"
#include "reports/documents.h"
#include "reports/report_session.h"
#include "ui_CPrehladyDlg.h"

namespace {

// Control ids of the five rows: the caption combo and the value combo of each.
constexpr std::array<int, zvk::kCriteriaRowCount> kCaptionComboIds = {1114, 1117, 1119, 1121, 1123};
constexpr std::array<int, zvk::kCriteriaRowCount> kValueComboIds = {1116, 1118, 1120, 1122, 1124};

// Entries keep the Windows-1250 bytes they came from, so that a criterion is
// compared with the lists byte for byte whatever the display made of it.
QByteArray RawBytes(const QComboBox* combo)
{
    return combo->currentData().toByteArray();
}

void AddEntry(QComboBox* combo, const std::string& bytes)
{
    combo->addItem(zvk::FromWindows1250(bytes), QByteArray::fromStdString(bytes));
}

zvk::CalendarDate ToCalendarDate(const QDate& date)
{
    return {date.day(), date.month(), date.year()};
}

} // namespace

CPrehladyDlg::CPrehladyDlg(std::filesystem::path configurationFile,
                           std::filesystem::path receiveFolder, const zvk::WindowContext& context,
                           QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::CPrehladyDlg>()),
      m_configurationFile(std::move(configurationFile)), m_receiveFolder(std::move(receiveFolder)),
      m_documentFolder(context.workingFolder), m_cacheFolder(context.cacheFolder),
      m_work([this](std::uint64_t done, std::uint64_t total) { ShowProgress(done, total); },
             [this](bool running) { ShowWorkRunning(running); })
{
    m_ui->setupUi(this);
    m_ui->workProgress->hide();
    m_ui->dateDoubts->hide();
    for (std::size_t row = 0; row < zvk::kCriteriaRowCount; ++row) {
        m_captionCombos[row] =
            qobject_cast<QComboBox*>(zvk::FindControl(this, kCaptionComboIds[row]));
        m_valueCombos[row] = qobject_cast<QComboBox*>(zvk::FindControl(this, kValueComboIds[row]));
        Q_ASSERT(m_captionCombos[row] != nullptr && m_valueCombos[row] != nullptr);
    }
    m_ui->fromDate->setDate(QDate::currentDate());
    m_ui->toDate->setDate(QDate::currentDate());
    FillCaptionCombos();
    for (std::size_t row = 0; row < zvk::kCriteriaRowCount; ++row)
        connect(m_captionCombos[row], &QComboBox::currentIndexChanged, this,
                [this, row] { OnCaptionChanged(row); });
    connect(m_ui->reportButton, &QPushButton::clicked, this, &CPrehladyDlg::OnPrehlad);
    connect(m_ui->cancelButton, &QPushButton::clicked, this, &CPrehladyDlg::reject);
}

CPrehladyDlg::~CPrehladyDlg() = default;

void CPrehladyDlg::FillCaptionCombos()
{
    const zvk::ReportConfiguration configuration(m_configurationFile);
    for (QComboBox* combo : m_captionCombos) {
        AddEntry(combo, {});
        for (int number = 1; number <= zvk::kHeaderValueCount; ++number)
            AddEntry(combo, configuration.Caption(number));
        // A row has no criterion until the user picks a caption.
        combo->setCurrentIndex(-1);
    }
}

void CPrehladyDlg::OnCaptionChanged(std::size_t row)
{
    m_valueCombos[row]->clear();
    std::erase(m_waitingRows, row);
    // Texts being read for the caption the row had are of no use any more.
    if (m_fillingRow == row)
        m_work.Stop();
    if (m_captionCombos[row]->currentIndex() > 0)
        m_waitingRows.push_back(row);
    FillNextValueCombo();
}

void CPrehladyDlg::FillNextValueCombo()
{
    if (m_work.Running() || m_waitingRows.empty())
        return;
    const std::size_t row = m_waitingRows.front();
    m_waitingRows.pop_front();
    m_fillingRow = row;
    m_work.Start([this, row, folder = m_receiveFolder, cache = m_cacheFolder,
                  valueNumber = m_captionCombos[row]->currentIndex()](
                     std::stop_token stop, const zvk::ListProgress& progress) {
        zvk::HeaderValueTexts found =
            zvk::ReadHeaderValueTexts(folder, valueNumber, cache, stop, progress);
        return [this, row, found = std::move(found)] { ShowValueTexts(row, found); };
    });
}

void CPrehladyDlg::ShowValueTexts(std::size_t row, const zvk::HeaderValueTexts& found)
{
    QComboBox* valueCombo = m_valueCombos[row];
    // Offered in the order a Slovak reader looks for them: "Čierny" after "Cesta",
    // letter case aside.
    QCollator collator(QLocale(QLocale::Slovak, QLocale::Slovakia));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<std::pair<QString, const std::string*>> entries;
    for (const std::string& text : found.texts)
        entries.emplace_back(zvk::FromWindows1250(text), &text);
    std::stable_sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
        return collator.compare(a.first, b.first) < 0;
    });
    for (const auto& [shown, bytes] : entries)
        valueCombo->addItem(shown, QByteArray::fromStdString(*bytes));
    valueCombo->setCurrentIndex(-1);
    if (!found.unreadable.empty())
        zvk::ShowMessageBox(this, zvk::FileFailureMessage(found.unreadable), zvk::kErrorCaption,
                            QMessageBox::Information);
}

zvk::ReportSelection CPrehladyDlg::Selection() const
{
    zvk::ReportSelection selection{
        ToCalendarDate(m_ui->fromDate->date()), ToCalendarDate(m_ui->toDate->date()), {}};
    for (std::size_t row = 0; row < zvk::kCriteriaRowCount; ++row)
        selection.rows.push_back({m_captionCombos[row]->currentIndex(),
                                  RawBytes(m_captionCombos[row]).toStdString(),
                                  RawBytes(m_valueCombos[row]).toStdString()});
    return selection;
}

void CPrehladyDlg::OnPrehlad()
{
    // The button is locked while a pass runs; a press queued before the lock is not.
    if (m_work.Running())
        return;
    const zvk::ReportSelection selection = Selection();
    const std::optional<zvk::DocumentSettings> asked =
        AskDocumentSettings(this, m_configurationFile, m_documentFolder);
    if (!asked)
        return;
    ShowDateDoubts({});
    m_work.Start(
        [this, selection, folder = m_receiveFolder,
         settings = *asked](std::stop_token stop, const zvk::ListProgress& progress) mutable {
            std::vector<zvk::DoubtfulDate> doubtful;
            settings.indexFolder = m_cacheFolder;
            settings.stop = stop;
            settings.progress = progress;
            settings.doubtfulDate = [&](const zvk::DoubtfulDate& list) {
                doubtful.push_back(list);
            };
            zvk::Result<std::filesystem::path> made = zvk::MakeReport(selection, folder, settings);
            if (!made)
                doubtful.clear(); // of no report
            return [this, made = std::move(made), doubtful = std::move(doubtful)] {
                ShowDateDoubts(doubtful);
                ShowMadeDocument(this, made);
            };
        },
        DialogWork::WhenStopped::Deliver);
}

void CPrehladyDlg::ShowDateDoubts(const std::vector<zvk::DoubtfulDate>& lists)
{
    m_ui->dateDoubts->setText(zvk::DateDoubtText(lists));
    m_ui->dateDoubts->setVisible(!lists.empty());
}

void CPrehladyDlg::reject()
{
    m_waitingRows.clear();
    m_work.Stop();
    QDialog::reject();
}

void CPrehladyDlg::ShowProgress(std::uint64_t done, std::uint64_t total)
{
    const QLocale slovak(QLocale::Slovak, QLocale::Slovakia);
    m_ui->workStatus->setText(zvk::kReadingLists.arg(slovak.toString(qulonglong{done}),
                                                     slovak.toString(qulonglong{total})));
    m_ui->workProgress->setValue(static_cast<int>(zvk::ProgressPercent(done, total).value_or(0)));
}

void CPrehladyDlg::ShowWorkRunning(bool running)
{
    m_ui->reportButton->setEnabled(!running);
    // An empty bar beside "Zrušiť" would look like a field to fill in.
    m_ui->workProgress->setVisible(running);
    if (running)
        return;
    m_fillingRow.reset();
    m_ui->workStatus->clear();
    m_ui->workProgress->reset();
    FillNextValueCombo();
}
