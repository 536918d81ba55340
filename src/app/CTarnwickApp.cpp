#include "app/CTarnwickApp.h"

#include "gui/CTarnwickDlg.h"
#include "gui/slovak_language.h"

CTarnwickApp::CTarnwickApp(int& argc, char** argv) : QApplication(argc, argv)
{
    zvk::InstallSlovakLanguage(*this);
}

int CTarnwickApp::Run()
{
    CTarnwickDlg window;
    window.exec();
    return 0;
}
