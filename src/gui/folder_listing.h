#pragma once

#include <QString>
#include <QStringList>

namespace zvk {

// The subfolders of `folder` that the folder chooser shows: neither hidden nor
// system nor temporary, and not named with a leading ".", sorted by name as the
// user's language sorts words, case ignored. Empty when the folder cannot be read.
QStringList ListedSubfolders(const QString& folder);

// Whether `folder` has any subfolder not named with a leading "." (hidden ones
// count): such a folder gets an expand button before its contents are read.
bool HasSubfolder(const QString& folder);

// `name` inside `folder`, with one separator between them.
QString JoinPath(const QString& folder, const QString& name);

} // namespace zvk
