#pragma once

#include <filesystem>
#include <vector>

#include "reports/document_viewer.h"

namespace zvk::test {

// Remembers the documents it was asked to show instead of starting a viewer.
class RecordingDocumentViewer : public DocumentViewer
{
public:
    bool Show(const std::filesystem::path& document) override;
    const std::vector<std::filesystem::path>& Shown() const;

private:
    std::vector<std::filesystem::path> m_shown;
};

} // namespace zvk::test
