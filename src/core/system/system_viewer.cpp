#include "system/system_viewer.h"

#include <string>
#include <system_error>

#include "text/path_text.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>
#else
#include <cstdlib>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace zvk {
namespace {

#ifdef _WIN32

// Word is started on the document's bare name when it lies in the working directory,
// which the started program inherits; elsewhere on its full path in quotes.
std::wstring DocumentArgument(const fs::path& document)
{
    std::error_code ec;
    if (fs::equivalent(document.parent_path().empty() ? "." : document.parent_path(),
                       fs::current_path(ec), ec))
        return document.filename().native();
    return L"\"" + fs::absolute(document, ec).native() + L"\"";
}

// As WinExec runs a command line in show state 1, but with the wide command line, so
// that a document with Slovak letters in its name is found.
bool Execute(std::wstring commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process) == 0)
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool StartWord(const fs::path& document)
{
    const std::wstring argument = DocumentArgument(document);
    bool started = false;
    // Both installations are tried, in this order; whichever exists opens the document.
    for (const wchar_t* word : {L"c:\\Program Files\\Microsoft Office\\Office\\winword ",
                                L"c:\\Program Files\\Microsoft Office\\Office11\\winword "})
        started = Execute(word + argument) || started;
    return started;
}

// Where Word is at neither place, the program that Windows associates with the document.
bool StartAssociatedProgram(const fs::path& document)
{
    std::error_code ec;
    const fs::path target = fs::absolute(document, ec);
    const HINSTANCE started =
        ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(started) > 32;
}

#else

// The full path of `program` along PATH, or empty.
std::string FindProgram(std::string_view program)
{
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!folders.empty()) {
        const std::size_t end = folders.find(':');
        const std::string_view folder = folders.substr(0, end);
        folders = end == std::string_view::npos ? std::string_view() : folders.substr(end + 1);
        const std::string candidate =
            std::string(folder.empty() ? "." : folder) + "/" + std::string(program);
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// xdg-open may stay until the viewer it started is closed. It runs as a grandchild
// that belongs to no one here, so the program neither waits for it nor leaves a
// zombie behind. Between fork and exec only async-signal-safe calls are made.
bool StartDefaultViewer(const fs::path& document)
{
    const std::string opener = FindProgram("xdg-open");
    if (opener.empty())
        return false;
    std::error_code ec;
    const std::string target = PathText(fs::absolute(document, ec));
    char* const arguments[] = {const_cast<char*>(opener.c_str()), const_cast<char*>(target.c_str()),
                               nullptr};
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        setsid();
        if (fork() == 0)
            execv(opener.c_str(), arguments);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return true;
}

#endif

} // namespace

bool OpenWithSystemViewer(const fs::path& document)
{
#ifdef _WIN32
    return StartWord(document) || StartAssociatedProgram(document);
#else
    return StartDefaultViewer(document);
#endif
}

} // namespace zvk
