#include "gui/file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace zvk {
namespace {

OpenFileHandler& Handler()
{
    static OpenFileHandler handler;
    return handler;
}

} // namespace

QString AskOpenFileName(QWidget* owner, const QString& initialFolder, const QString& filter)
{
    const QString chosen =
        Handler() ? Handler()(initialFolder, filter)
                  : QFileDialog::getOpenFileName(owner, QString(), initialFolder, filter);
    if (!chosen.isEmpty())
        QDir::setCurrent(QFileInfo(chosen).absolutePath());
    return chosen;
}

void SetOpenFileHandler(OpenFileHandler handler)
{
    Handler() = std::move(handler);
}

} // namespace zvk
