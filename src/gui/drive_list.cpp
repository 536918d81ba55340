#include "gui/drive_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

namespace zvk {

namespace {

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

bool Holds(const QString& root, const QString& path)
{
    if (!path.startsWith(root, kPathCase))
        return false;
    return path.size() == root.size() || root.endsWith(QDir::separator()) ||
           path.at(root.size()) == QDir::separator();
}

#ifndef Q_OS_WIN
// Kernel interfaces and memory-backed file systems keep nothing across a restart;
// image layers (snap packages, container layers) are nobody's place for received lists.
bool HoldsUserFiles(const QStorageInfo& volume)
{
    static const QSet<QByteArray> kNotForFiles = {
        "autofs",    "binfmt_misc", "bpf",        "cgroup",    "cgroup2",  "configfs",
        "debugfs",   "devpts",      "devtmpfs",   "efivarfs",  "fusectl",  "fuse.portal",
        "hugetlbfs", "mqueue",      "nsfs",       "overlay",   "proc",     "pstore",
        "ramfs",     "rpc_pipefs",  "securityfs", "selinuxfs", "squashfs", "sysfs",
        "tmpfs",     "tracefs"};
    // A read-only volume cannot receive lists.
    return volume.isValid() && volume.isReady() && !volume.isReadOnly() &&
           !kNotForFiles.contains(volume.fileSystemType()) && QFileInfo(volume.rootPath()).isDir();
}

QString HomeFolder()
{
    const QString canonical = QDir(QDir::homePath()).canonicalPath();
    return canonical.isEmpty() ? QDir::homePath() : canonical;
}
#endif

} // namespace

#ifdef Q_OS_WIN
DriveList LocalDrives()
{
    DriveList list;
    for (const QFileInfo& drive : QDir::drives()) {
        const QString root = QDir::toNativeSeparators(drive.absoluteFilePath());
        list.drives.append({root.left(2), root});
    }
    list.preselected = DriveHolding(list.drives, QStringLiteral("C:\\"));
    return list;
}
#else
DriveList LocalDrives()
{
    // The root of everything is always there, even where the mount table cannot be read.
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (HoldsUserFiles(volume))
            roots.append(volume.rootPath());
    }
    roots.sort();
    roots.removeDuplicates();
    DriveList list;
    for (const QString& root : roots)
        list.drives.append({root, root});
    list.preselected = DriveHolding(list.drives, HomeFolder());
    return list;
}
#endif

qsizetype DriveHolding(const QList<Drive>& drives, const QString& path)
{
    qsizetype found = -1;
    for (qsizetype i = 0; i < drives.size(); ++i) {
        if (Holds(drives[i].root, path) &&
            (found < 0 || drives[i].root.size() > drives[found].root.size()))
            found = i;
    }
    return found;
}

} // namespace zvk
