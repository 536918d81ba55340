#include "app/CTarnwickApp.h"

#include "app/CTarnwickDlg.h"

CTarnwickApp::CTarnwickApp(int& argc, char** argv) : QApplication(argc, argv) {}

int CTarnwickApp::Run()
{
    CTarnwickDlg window;
    window.exec();
    return 0;
}
