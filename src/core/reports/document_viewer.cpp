#include "reports/document_viewer.h"

#include "system/system_viewer.h"

namespace zvk {

DocumentViewer::~DocumentViewer() = default;

bool SystemDocumentViewer::Show(const std::filesystem::path& document)
{
    return OpenWithSystemViewer(document);
}

} // namespace zvk
