// Plays the desktop installer Setup.exe for the main window's test: it takes a moment, as an
// installer does, and leaves a mark in its working folder, so that the test sees that the
// window started it there and waited for it to end.
#include <chrono>
#include <fstream>
#include <thread>

int main()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::ofstream("installed") << "installed\n";
    return 0;
}
