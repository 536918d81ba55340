#pragma once

#include <filesystem>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zvk::test {

// The desktop of one Qt test: a fresh working folder, where the program keeps its
// settings file and finds its emulated handheld, and message boxes answered by
// recording them as "caption text". Everything is put back when it ends.
class DesktopSession
{
public:
    DesktopSession();
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    const std::filesystem::path& Folder() const;
    QString FolderText() const;
    QStringList& Messages();

private:
    QTemporaryDir m_dir;
    QString m_previousFolder;
    std::filesystem::path m_folder;
    QStringList m_messages;
};

} // namespace zvk::test
