#pragma once

#include <QList>
#include <QString>

namespace zvk {

// A drive of the folder chooser: the name its drive list shows and the folder its
// tree starts from ("C:" and "C:\" on Windows; a mount point such as "/home" twice here).
struct Drive
{
    QString name;
    QString root;
};

struct DriveList
{
    QList<Drive> drives;
    // The drive shown when the chooser opens; -1 for none.
    qsizetype preselected = -1;
};

// The drives of this computer, in name order. On Windows the logical drives with
// C: preselected; elsewhere the roots of the mounted file systems that hold the
// user's files, with the one holding the home folder preselected.
DriveList LocalDrives();

// The drive whose root is the deepest folder above or at `path`, or -1.
qsizetype DriveHolding(const QList<Drive>& drives, const QString& path);

} // namespace zvk
