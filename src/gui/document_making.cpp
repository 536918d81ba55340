#include "gui/document_making.h"

#include "gui/CTypDlg.h"
#include "gui/file_failure_text.h"
#include "gui/program_texts.h"
#include "gui/program_viewer.h"
#include "gui/show_failure.h"

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
    // Headed by what was done with the file: the list read, or the document written.
    const zvk::Failure& failure = made.error();
    zvk::ShowFailure(owner,
                     failure.file.file.empty() ? zvk::kDocumentNotMade
                                               : zvk::FileFailureHeading(failure.file.access),
                     failure);
}
