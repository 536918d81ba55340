#include "app/document_making.h"

#include "app/CTypDlg.h"
#include "app/program_viewer.h"
#include "ui/file_failure_text.h"
#include "ui/message_box.h"

void MakeDocumentAsked(QWidget* owner, const std::filesystem::path& configurationFile,
                       const std::function<zvk::WriteOutcome(const zvk::DocumentSettings&)>& make)
{
    const std::optional<zvk::ReportOptions> options = CTypDlg::AskReportOptions(owner);
    if (!options)
        return;
    zvk::DocumentSettings settings;
    settings.options = *options;
    settings.configFile = configurationFile;
    settings.viewer = &zvk::ProgramDocumentViewer();
    const zvk::WriteOutcome outcome = make(settings);
    if (outcome.Succeeded())
        return;
    // Every failure of a document names its file; the English text is the fallback.
    const QString message =
        outcome.failure.file.empty()
            ? QStringLiteral("*** %1 ***").arg(QString::fromStdString(outcome.error))
            : zvk::FileFailureMessage({outcome.failure});
    zvk::ShowMessageBox(owner, message, zvk::kErrorCaption, QMessageBox::Information);
}
