#include "gui/document_making.h"

#include "gui/CTypDlg.h"
#include "gui/file_failure_text.h"
#include "gui/program_texts.h"
#include "gui/program_viewer.h"
#include "gui/show_failure.h"

std::optional<zvk::DocumentSettings>
AskDocumentSettings(QWidget* owner, const std::filesystem::path& configurationFile,
                    const std::filesystem::path& documentFolder)
{
    const std::optional<zvk::ReportOptions> options = CTypDlg::AskReportOptions(owner);
    if (!options)
        return std::nullopt;
    zvk::DocumentSettings settings;
    settings.options = *options;
    settings.configFile = configurationFile;
    settings.target.folder = documentFolder;
    return settings;
}

void ShowMadeDocument(QWidget* owner, const zvk::Result<std::filesystem::path>& made)
{
    if (made) {
        zvk::ProgramDocumentViewer().Show(*made);
        return;
    }
    // Headed by what was done with the file: the list read, or the document written.
    const zvk::Failure& failure = made.error();
    if (failure.file.reason == std::errc::operation_canceled)
        return;
    zvk::ShowFailure(owner,
                     failure.file.file.empty() ? zvk::kDocumentNotMade
                                               : zvk::FileFailureHeading(failure.file.access),
                     failure);
}
