#pragma once

#include <QApplication>

#include "gui/window_context.h"

// The program: one modal main window; the program ends when it closes.
class CTarnwickApp : public QApplication
{
    Q_OBJECT

public:
    CTarnwickApp(int& argc, char** argv);

    // Shows the main window over what main read of the process, until it closes.
    int Run(zvk::WindowContext context);
};
