#include "gui/paths.h"

#include <QDir>

namespace zvk {

QString ToDisplayPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    return QDir::toNativeSeparators(QString::fromStdWString(path.native()));
#else
    return QString::fromStdString(path.native());
#endif
}

std::filesystem::path ToFilePath(const QString& text)
{
#ifdef _WIN32
    return std::filesystem::path(text.toStdWString());
#else
    return std::filesystem::path(text.toStdString());
#endif
}

} // namespace zvk
