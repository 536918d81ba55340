#pragma once

#include <filesystem>

namespace zvk {

// Shows a finished document to the user. Whether the viewer then opens it is
// outside the program's hands; a report is complete once its file is written.
class DocumentViewer
{
public:
    virtual ~DocumentViewer();
    // False when no viewer could be started at all.
    virtual bool Show(const std::filesystem::path& document) = 0;
};

// The desktop's own viewer: Word on Windows, else the default application for RTF.
class SystemDocumentViewer : public DocumentViewer
{
public:
    bool Show(const std::filesystem::path& document) override;
};

} // namespace zvk
