#include "support/recording_viewer.h"

namespace zvk::test {

bool RecordingDocumentViewer::Show(const std::filesystem::path& document)
{
    m_shown.push_back(document);
    return true;
}

const std::vector<std::filesystem::path>& RecordingDocumentViewer::Shown() const
{
    return m_shown;
}

} // namespace zvk::test
