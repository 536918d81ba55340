#include "gui/program_viewer.h"

#include "reports/document_viewer.h"

namespace zvk {
namespace {

DocumentViewer*& Replacement()
{
    static DocumentViewer* viewer = nullptr;
    return viewer;
}

} // namespace

DocumentViewer& ProgramDocumentViewer()
{
    static SystemDocumentViewer desktopViewer;
    return Replacement() != nullptr ? *Replacement() : desktopViewer;
}

void SetProgramDocumentViewer(DocumentViewer* viewer)
{
    Replacement() = viewer;
}

} // namespace zvk
