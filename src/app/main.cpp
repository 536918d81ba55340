#include "app/CTarnwickApp.h"

int main(int argc, char* argv[])
{
    CTarnwickApp app(argc, argv);
    return app.Run();
}
