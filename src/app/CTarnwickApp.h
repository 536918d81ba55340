#pragma once

#include <QApplication>

// The program: one modal main window; the program ends when it closes.
class CTarnwickApp : public QApplication
{
    Q_OBJECT

public:
    CTarnwickApp(int& argc, char** argv);

    int Run();
};
