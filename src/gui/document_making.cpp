#include "gui/document_making.h"

#include "gui/CTypDlg.h"
#include "gui/file_failure_text.h"
#include "gui/message_box.h"
#include "gui/program_texts.h"
#include "gui/program_viewer.h"

void MakeDocumentAsked(
    QWidget* owner, const std::filesystem::path& configurationFile,
    const std::function<zvk::Result<std::filesystem::path>(const zvk::DocumentSettings&)>& make)
{
    const std::optional<zvk::ReportOptions> options = CTypDlg::AskReportOptions(owner);
    if (!options)
        return;
    zvk::DocumentSettings settings;
    settings.options = *options;
    settings.configFile = configurationFile;
    settings.viewer = &zvk::ProgramDocumentViewer();
    const zvk::Result<std::filesystem::path> made = make(settings);
    if (made)
        return;
    // Every failure of a document names its file; the English text is the fallback.
    const zvk::Failure& failure = made.error();
    const QString message = failure.file.file.empty()
                                ? zvk::kDocumentFailed.arg(QString::fromStdString(failure.detail))
                                : zvk::FileFailureMessage({failure.file});
    zvk::ShowMessageBox(owner, message, zvk::kErrorCaption, QMessageBox::Information);
}
