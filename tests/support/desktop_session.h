#pragma once

#include <filesystem>

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "gui/window_context.h"
#include "support/recording_viewer.h"

namespace zvk::test {

// The desktop of one Qt test: a fresh working folder, where the program keeps its
// settings file and finds its emulated handheld, message boxes answered by
// recording them as "caption text", and finished documents recorded instead of
// shown. Everything is put back when it ends.
class DesktopSession
{
public:
    DesktopSession();
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    const std::filesystem::path& Folder() const;
    // What main would give the window started in the folder: nothing of the environment,
    // no sample lists, no cache.
    WindowContext Context() const;
    QString FolderText() const;
    QStringList& Messages();
    // The icon of each message, in turn.
    const QList<QMessageBox::Icon>& Icons() const;
    const RecordingDocumentViewer& Viewer() const;

private:
    QTemporaryDir m_dir;
    QString m_previousFolder;
    std::filesystem::path m_folder;
    QStringList m_messages;
    QList<QMessageBox::Icon> m_icons;
    RecordingDocumentViewer m_viewer;
};

} // namespace zvk::test
