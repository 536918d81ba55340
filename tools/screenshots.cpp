// Renders the program's windows offscreen to PNG files for the README:
//   QT_QPA_PLATFORM=offscreen zvk_screenshots OUTPUT_FOLDER
// The windows show the sample configuration of the repository.
#include <QApplication>
#include <QDir>

#include "app/CTarnwickDlg.h"
#include "config/CKonfigDlg.h"
#include "ui/CDlgChooseFolder.h"

namespace {

bool Save(QWidget& window, const QDir& folder, const QString& name)
{
    window.show();
    QApplication::processEvents();
    return window.grab().save(folder.filePath(name));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        qCritical("usage: zvk_screenshots OUTPUT_FOLDER");
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    CTarnwickDlg mainWindow({QStringLiteral("zvkpc")});
    CKonfigDlg configuration(std::filesystem::path(ZVK_SAMPLE_CONFIGURATION));
    CDlgChooseFolder chooser;
    const bool saved = Save(mainWindow, output, QStringLiteral("main-window.png")) &&
                       Save(configuration, output, QStringLiteral("configuration.png")) &&
                       Save(chooser, output, QStringLiteral("folder-chooser.png"));
    mainWindow.done(QDialog::Rejected);
    return saved ? 0 : 1;
}
