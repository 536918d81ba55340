#include "app/CTarnwickApp.h"

#include <QDir>
#include <QIcon>

#include "gui/CTarnwickDlg.h"
#include "gui/slovak_language.h"

namespace {

// Every size drawn for the icon, so that the title bar and the task switcher each take a sharp
// one instead of a scaled picture.
QIcon ProgramIcon()
{
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons"));
    for (const QString& name : sizes.entryList(QDir::Files))
        icon.addFile(sizes.filePath(name));
    return icon;
}

} // namespace

CTarnwickApp::CTarnwickApp(int& argc, char** argv) : QApplication(argc, argv)
{
    zvk::InstallSlovakLanguage(*this);
    setWindowIcon(ProgramIcon());
}

int CTarnwickApp::Run()
{
    CTarnwickDlg window;
    window.exec();
    return 0;
}
