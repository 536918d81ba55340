#include "gui/CTarnwickDlg.h"

#include <utility>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "gui/CDlgChooseFolder.h"
#include "gui/CKonfigDlg.h"
#include "gui/CPrehladyDlg.h"
#include "gui/control_ids.h"
#include "gui/document_making.h"
#include "gui/file_dialog.h"
#include "gui/handheld_password_prompt.h"
#include "gui/main_window_port.h"
#include "gui/message_box.h"
#include "gui/paths.h"
#include "gui/program_texts.h"
#include "gui/reception_failure_text.h"
#include "gui/show_failure.h"
#include "gui/transfer_link.h"
#include "lists/text_import.h"
#include "reports/documents.h"
#include "ui_CTarnwickDlg.h"

namespace {

// The controls a running transfer locks, in the order they are locked.
constexpr int kTransferControls[] = {1001, 1116, 1002, 1000, 1021, 1017, 1034, 1035};

QString ApplicationName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace

CTarnwickDlg::CTarnwickDlg(zvk::WindowContext context, const QStringList& arguments,
                           QWidget* parent, zvk::Clock& clock)
    : QDialog(parent), m_ui(std::make_unique<Ui::CTarnwickDlg>()), m_context(std::move(context)),
      m_settings(m_context.workingFolder, ApplicationName().toStdString()),
      // A consignment note reads one list: it shows no progress of its own, and its
      // button stays locked while it is made.
      m_documentWork([](std::uint64_t, std::uint64_t) {},
                     [this](bool running) { m_ui->consignmentButton->setEnabled(!running); })
{
    m_ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);
    setWindowTitle(zvk::kWindowTitle);
    ReadSettings();
    m_port = std::make_unique<MainWindowPort>(*this);
    m_passwords = std::make_unique<HandheldPasswordPrompt>(this);
    m_link = std::make_unique<TransferLink>(
        *m_port, arguments,
        zvk::HandheldPlace{m_context.handheldVariable,
                           m_settings.HandheldFolder(),
                           {},
                           m_context.sampleLists,
                           m_settings.NamedHandheldLink(),
                           m_settings.OwnHandheldLink()},
        zvk::NetworkLinkPlace{m_context.linkVariable, m_context.interfaces, m_context.cacheFolder,
                              m_passwords.get()},
        [this] { return TransferInputsNow(); }, clock);

    connect(m_ui->sendConfigurationButton, &QPushButton::clicked, this,
            [this] { m_link->Start(zvk::PendingOperation::SendConfiguration); });
    connect(m_ui->receiveListsButton, &QPushButton::clicked, this,
            [this] { m_link->Start(zvk::PendingOperation::ReceiveLists); });
    connect(m_ui->sendListButton, &QPushButton::clicked, this,
            [this] { m_link->Start(zvk::PendingOperation::SendList); });

    connect(m_ui->chooseReceiveFolderButton, &QPushButton::clicked, this,
            &CTarnwickDlg::ChooseReceiveFolder);
    connect(m_ui->chooseConfigurationButton, &QPushButton::clicked, this,
            &CTarnwickDlg::ChooseConfigurationFile);
    connect(m_ui->convertCheckBox, &QCheckBox::clicked, this, &CTarnwickDlg::StoreConvertOption);
    connect(m_ui->editConfigurationButton, &QPushButton::clicked, this,
            &CTarnwickDlg::EditConfiguration);
    connect(m_ui->reportsButton, &QPushButton::clicked, this, &CTarnwickDlg::OpenReports);
    connect(m_ui->consignmentButton, &QPushButton::clicked, this, &CTarnwickDlg::MakeConsignment);
    connect(m_ui->importTextButton, &QPushButton::clicked, this,
            &CTarnwickDlg::ImportMeasurementText);
    connect(m_ui->installButton, &QPushButton::clicked, this, &CTarnwickDlg::Install);
    connect(m_ui->quitButton, &QPushButton::clicked, this, &CTarnwickDlg::reject);
}

CTarnwickDlg::~CTarnwickDlg() = default;

void CTarnwickDlg::done(int result)
{
    m_documentWork.Stop();
    m_link->Shutdown();
    QDialog::done(result);
}

// Only the first showing readies the link: a window restored from the taskbar is shown
// again, and a running transfer's lock of its controls must hold until the transfer ends.
void CTarnwickDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!std::exchange(m_shownBefore, true))
        m_link->WindowShown();
}

void CTarnwickDlg::EnableLinkButtons(bool enable)
{
    m_ui->sendListButton->setEnabled(enable);
    m_ui->receiveListsButton->setEnabled(enable);
}

void CTarnwickDlg::EnableConnectionButtons(bool enable)
{
    m_ui->sendConfigurationButton->setEnabled(enable);
    m_ui->receiveListsButton->setEnabled(enable);
}

void CTarnwickDlg::ReadSettings()
{
    m_ui->receiveFolderText->setText(zvk::ToDisplayPath(m_settings.ReceiveFolder()));
    m_ui->configurationPathText->setText(zvk::ToDisplayPath(m_settings.ConfigurationPath()));
    m_ui->convertCheckBox->setChecked(m_settings.ConvertReceivedLists());
}

void CTarnwickDlg::EnableTransferControls(bool enable)
{
    for (int id : kTransferControls)
        zvk::FindControl(this, id)->setEnabled(enable);
    ShowProgress(0);
    if (enable) {
        m_ui->percentText->clear();
        ShowIdleStatus();
    }
}

// The handheld that connected over the network link is named beside the idle status, so
// that the clerk sees which one the desktop reached.
void CTarnwickDlg::ShowIdleStatus()
{
    const QString handheld = m_link ? m_link->LinkedHandheldText() : QString();
    ShowStatus(handheld.isEmpty() ? zvk::kIdleStatus : zvk::kIdleStatus + u' ' + handheld);
}

void CTarnwickDlg::ShowStatus(const QString& text)
{
    m_ui->statusText->setText(text);
}

void CTarnwickDlg::ShowProgress(unsigned percent)
{
    m_ui->percentText->setText(QStringLiteral("%1%").arg(percent));
    m_ui->progressBar->setValue(static_cast<int>(percent));
}

QString CTarnwickDlg::ReceiveFolderText() const
{
    return m_ui->receiveFolderText->text();
}

QString CTarnwickDlg::ConfigurationPathText() const
{
    return m_ui->configurationPathText->text();
}

zvk::TransferInputs CTarnwickDlg::TransferInputsNow() const
{
    return {zvk::ToFilePath(ReceiveFolderText()), zvk::ToFilePath(ConfigurationPathText()),
            m_settings.ConvertReceivedLists(), m_context.workingFolder};
}

QString CTarnwickDlg::AskOpenFile(const QString& initialFolder, const QString& filter)
{
    const QString chosen = zvk::AskOpenFileName(this, initialFolder, filter);
    if (!chosen.isEmpty())
        m_context.workingFolder = zvk::ToFilePath(QFileInfo(chosen).absolutePath());
    return chosen;
}

void CTarnwickDlg::ChooseReceiveFolder()
{
    CDlgChooseFolder chooser(this);
    if (chooser.exec() != QDialog::Accepted)
        return;
    const QString path = CDlgChooseFolder::CurrentPath();
    if (PathStored(m_settings.WriteReceiveFolder(zvk::ToFilePath(path))))
        m_ui->receiveFolderText->setText(path);
}

void CTarnwickDlg::ChooseConfigurationFile()
{
    const QString chosen = AskOpenFile(QString(), zvk::kConfigurationFilesFilter);
    if (chosen.isEmpty())
        return;
    const QString path = QDir::toNativeSeparators(chosen);
    if (PathStored(m_settings.WriteConfigurationPath(zvk::ToFilePath(path))))
        m_ui->configurationPathText->setText(path);
}

// A path that was not stored is not shown: the window keeps showing what the settings
// hold. Why is named: the path, whose letters the Windows code page lacks, or the settings
// file that cannot be written.
bool CTarnwickDlg::PathStored(const zvk::Result<>& stored)
{
    if (!stored)
        zvk::ShowFailure(this, zvk::kPathNotStored, stored.error());
    return stored.has_value();
}

void CTarnwickDlg::StoreConvertOption(bool convert)
{
    // A setting that could not be stored is not in force: the box shows what the next
    // reception will use, and the message says why.
    const zvk::Result<> stored = m_settings.WriteConvertReceivedLists(convert);
    if (stored)
        return;
    m_ui->convertCheckBox->setChecked(m_settings.ConvertReceivedLists());
    zvk::ShowFailure(this, zvk::kOptionNotStored, stored.error());
}

void CTarnwickDlg::EditConfiguration()
{
    CKonfigDlg dialog(zvk::ToFilePath(ConfigurationPathText()), this);
    dialog.exec();
}

void CTarnwickDlg::OpenReports()
{
    CPrehladyDlg dialog(zvk::ToFilePath(ConfigurationPathText()),
                        zvk::ToFilePath(ReceiveFolderText()), m_context, this);
    dialog.exec();
}

void CTarnwickDlg::MakeConsignment()
{
    const QString chosen = AskOpenFile(ReceiveFolderText(), zvk::kDataFilesFilter);
    if (chosen.isEmpty())
        return;
    const std::optional<zvk::DocumentSettings> asked = AskDocumentSettings(
        this, zvk::ToFilePath(ConfigurationPathText()), m_context.workingFolder);
    // A transfer's end unlocks the button; a note already being made is not started twice.
    if (!asked || m_documentWork.Running())
        return;
    m_documentWork.Start(
        [this, list = zvk::ToFilePath(chosen),
         settings = *asked](std::stop_token stop, const zvk::ListProgress& progress) mutable {
            settings.stop = stop;
            settings.progress = progress;
            zvk::Result<std::filesystem::path> made = zvk::MakeConsignmentNote(list, settings);
            return [this, made = std::move(made)] { ShowMadeDocument(this, made); };
        },
        DialogWork::WhenStopped::Deliver);
}

void CTarnwickDlg::ImportMeasurementText()
{
    const QString chosen = AskOpenFile(ReceiveFolderText(), zvk::kMeasurementTextsFilter);
    if (chosen.isEmpty())
        return;
    const zvk::Result<zvk::ImportedList> imported =
        zvk::ImportMeasurementText(zvk::ToFilePath(chosen));
    if (!imported)
        zvk::ShowFailure(this, zvk::kImportFailed, imported.error());
    else if (imported->kept)
        zvk::ShowMessageBox(this, zvk::KeptVersionsMessage({*imported->kept}), zvk::kNoticeCaption,
                            QMessageBox::Information);
}

void CTarnwickDlg::Install()
{
    EnableTransferControls(false);
    zvk::ShowMessageBox(this, zvk::kCloseHandheldProgram, zvk::kWarningCaption,
                        QMessageBox::Critical);
    // The installer is looked for in the working folder of the moment, and runs there: a
    // confirmed open-file dialog may have moved it to the installer's folder.
    const QDir working(zvk::ToDisplayPath(m_context.workingFolder));
    QProcess installer;
    installer.setProgram(working.filePath(QStringLiteral("Setup.exe")));
    installer.setWorkingDirectory(working.path());
    installer.start();
    if (installer.waitForStarted())
        installer.waitForFinished(-1);
    else
        zvk::ShowMessageBox(this, zvk::kInstallerMissing, zvk::kErrorCaption,
                            QMessageBox::Information);
    EnableTransferControls(true);
}
