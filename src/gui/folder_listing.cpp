#include "gui/folder_listing.h"

#include <algorithm>

#include <QCollator>
#include <QDir>
#include <QDirIterator>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace zvk {

namespace {

bool NamedWithDot(const QString& name)
{
    return name.startsWith(QLatin1Char('.'));
}

// Hidden folders are left out by the directory filter; Windows also marks folders
// as system or temporary, and those are not the user's either.
bool SystemOrTemporary([[maybe_unused]] const QString& path)
{
#ifdef Q_OS_WIN
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()));
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_TEMPORARY)) != 0;
#else
    return false;
#endif
}

} // namespace

QStringList ListedSubfolders(const QString& folder)
{
    QStringList names;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort)) {
        if (!NamedWithDot(name) && !SystemOrTemporary(JoinPath(folder, name)))
            names.append(name);
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Names that differ only in case still come in the same order every time.
    std::sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

bool HasSubfolder(const QString& folder)
{
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        if (!NamedWithDot(it.nextFileInfo().fileName()))
            return true;
    }
    return false;
}

QString JoinPath(const QString& folder, const QString& name)
{
    return folder.endsWith(QDir::separator()) ? folder + name : folder + QDir::separator() + name;
}

} // namespace zvk
