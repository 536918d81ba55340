#include "support/desktop_session.h"

#include <QDir>

#include "gui/file_dialog.h"
#include "gui/message_box.h"
#include "gui/program_viewer.h"

namespace zvk::test {

DesktopSession::DesktopSession()
    : m_previousFolder(QDir::currentPath()), m_folder(m_dir.path().toStdString())
{
    QDir::setCurrent(m_dir.path());
    SetMessageBoxHandler(
        [this](const QString& text, const QString& caption, QMessageBox::Icon icon) {
            m_messages << caption + " " + text;
            m_icons << icon;
        });
    SetProgramDocumentViewer(&m_viewer);
}

DesktopSession::~DesktopSession()
{
    SetMessageBoxHandler({});
    SetOpenFileHandler({});
    SetProgramDocumentViewer(nullptr);
    QDir::setCurrent(m_previousFolder);
}

const std::filesystem::path& DesktopSession::Folder() const
{
    return m_folder;
}

WindowContext DesktopSession::Context() const
{
    return {m_folder};
}

QString DesktopSession::FolderText() const
{
    return m_dir.path();
}

QStringList& DesktopSession::Messages()
{
    return m_messages;
}

const QList<QMessageBox::Icon>& DesktopSession::Icons() const
{
    return m_icons;
}

const RecordingDocumentViewer& DesktopSession::Viewer() const
{
    return m_viewer;
}

} // namespace zvk::test
