#include <iostream>

#include "cli/command_line.h"

int main(int argc, char* argv[])
{
    const zvk::cli::Arguments arguments(argv + 1, argv + argc);
    return zvk::cli::RunCommandLine(arguments, std::cout, std::cerr);
}
