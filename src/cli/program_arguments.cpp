#include "cli/program_arguments.h"

#ifdef _WIN32
#include <memory>

#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>
#endif

namespace zvk::cli {

#ifdef _WIN32

namespace {

std::string Utf8Of(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string utf8(static_cast<std::size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

} // namespace

Arguments ProgramArguments(int /*argc*/, char* /*argv*/[])
{
    SetConsoleOutputCP(CP_UTF8);
    int count = 0;
    const std::unique_ptr<wchar_t*, decltype(&LocalFree)> wide(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    Arguments arguments;
    for (int i = 1; wide && i < count; ++i)
        arguments.push_back(Utf8Of(wide.get()[i]));
    return arguments;
}

#else

Arguments ProgramArguments(int argc, char* argv[])
{
    return Arguments(argv + 1, argv + argc);
}

#endif

} // namespace zvk::cli
