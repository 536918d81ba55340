// A program for the test of the Wine gate: it makes a file with a C runtime mode that
// Windows takes or refuses, and says so on both its outputs.
//   wine_gate_probe MODE FILE           _wfopen(FILE, MODE); status 0, or 3 when refused
//   wine_gate_probe --child MODE FILE   the same in a child process whose error output goes
//                                       to FILE.err, which is then copied to the output
// Paths and modes are ASCII.

#include <cstdio>
#include <string>

#include <windows.h>

namespace {

std::wstring Wide(const char* ascii)
{
    return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii));
}

int MakeFile(const char* mode, const char* file)
{
    std::FILE* const stream = _wfopen(Wide(file).c_str(), Wide(mode).c_str());
    std::fprintf(stderr, "probe: the error output of the program itself\n");
    if (stream == nullptr) {
        std::printf("probe: %s refused\n", mode);
        return 3;
    }
    std::fclose(stream);
    std::printf("probe: %s made %s\n", mode, file);
    return 0;
}

// The child's error output, where a test that runs zvk.exe as a child reads it.
int MakeFileInChild(const char* mode, const char* file)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring commandLine =
        L"\"" + std::wstring(self) + L"\" " + Wide(mode) + L" \"" + Wide(file) + L"\"";
    const std::wstring errName = Wide(file) + L".err";
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    const HANDLE err = CreateFileW(errName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = err;
    PROCESS_INFORMATION child{};
    if (err == INVALID_HANDLE_VALUE ||
        !CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &child))
        return 4;
    CloseHandle(err);
    WaitForSingleObject(child.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(child.hProcess, &status);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    std::fflush(stdout);
    std::FILE* const captured = _wfopen(errName.c_str(), L"rb");
    if (captured == nullptr)
        return 4;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof(buffer), captured)) > 0;)
        std::fwrite(buffer, 1, read, stdout);
    std::fclose(captured);
    return static_cast<int>(status);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 4 && first == "--child")
        return MakeFileInChild(argv[2], argv[3]);
    if (argc == 3)
        return MakeFile(argv[1], argv[2]);
    std::fprintf(stderr, "usage: wine_gate_probe [--child] MODE FILE\n");
    return 2;
}
