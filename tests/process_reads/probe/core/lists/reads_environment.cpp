// A core file that reads the environment itself.
#include <cstdlib>

const char* Home()
{
    return std::getenv("HOME");
}
