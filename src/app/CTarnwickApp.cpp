#include "app/CTarnwickApp.h"

#include <QDir>
#include <QIcon>

#include "gui/CTarnwickDlg.h"
#include "gui/slovak_language.h"

#ifndef _WIN32
#include "app/stop_signals.h"
#endif

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

int CTarnwickApp::Run(zvk::WindowContext context)
{
    CTarnwickDlg window(std::move(context), arguments());
    int stopSignal = 0;
#ifndef _WIN32
    // A stop signal closes the window as "Koniec" does, so that its transfer stops cleanly
    // first; a message box the window shows meanwhile closes too.
    StopSignals stopSignals;
    connect(&stopSignals, &StopSignals::Received, &window, [&window, &stopSignal](int number) {
        if (stopSignal != 0)
            return;
        stopSignal = number;
        window.reject();
        QApplication::closeAllWindows();
    });
#endif
    window.exec();
    // As a program that the signal ended: 128 plus its number.
    return stopSignal == 0 ? 0 : 128 + stopSignal;
}
