#include "zvk_process.h"

#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;
#endif

#include <gtest/gtest.h>

#include "support/file_bytes.h"

namespace fs = std::filesystem;

namespace zvk::cli {
namespace {

constexpr std::chrono::milliseconds kPollInterval{10};

std::string TextOf(const fs::path& file)
{
    std::string text = test::FileBytes(file);
#ifdef _WIN32
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
#endif
    return text;
}

fs::path ProgramOf(const ZvkProcess::Place& place)
{
    return place.program.empty() ? fs::path(ZVK_CLI_PATH) : place.program;
}

} // namespace

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8)
{
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
    return wide;
}

// One argument as the C runtime's command-line parser reads it back: in quotes, with the
// backslashes before a quote doubled.
std::wstring Quoted(const std::wstring& argument)
{
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

HANDLE InheritedOutput(const fs::path& path)
{
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

ZvkProcess::ZvkProcess(const Arguments& arguments, const fs::path& outputFolder,
                       const std::string& name, const Place& place)
    : m_out(outputFolder / (name + ".out")), m_err(outputFolder / (name + ".err"))
{
    std::wstring commandLine = Quoted(ProgramOf(place).native());
    for (const std::string& argument : arguments)
        commandLine += L" " + Quoted(Wide(argument));
    const HANDLE out = InheritedOutput(m_out);
    const HANDLE err = InheritedOutput(m_err);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    m_started = std::chrono::steady_clock::now();
    const wchar_t* workingFolder =
        place.workingFolder.empty() ? nullptr : place.workingFolder.c_str();
    EXPECT_NE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                             workingFolder, &startup, &process),
              0);
    CloseHandle(process.hThread);
    m_process = process.hProcess;
    CloseHandle(out);
    CloseHandle(err);
}

ZvkProcess::~ZvkProcess()
{
    Kill();
    if (m_process != nullptr)
        CloseHandle(m_process);
}

std::optional<int> ZvkProcess::WaitFor(std::chrono::milliseconds timeout)
{
    if (m_status || m_process == nullptr)
        return m_status;
    if (WaitForSingleObject(m_process, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD status = 0;
    GetExitCodeProcess(m_process, &status);
    m_ended = std::chrono::steady_clock::now();
    m_status = static_cast<int>(status);
    return m_status;
}

void ZvkProcess::Kill()
{
    if (m_process == nullptr || m_status)
        return;
    TerminateProcess(m_process, 1);
    WaitForSingleObject(m_process, INFINITE);
    m_status = -9;
    m_ended = std::chrono::steady_clock::now();
}

#else

ZvkProcess::ZvkProcess(const Arguments& arguments, const fs::path& outputFolder,
                       const std::string& name, const Place& place)
    : m_out(outputFolder / (name + ".out")), m_err(outputFolder / (name + ".err"))
{
    const std::string out = m_out.string();
    std::vector<std::string> words{ProgramOf(place).string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, m_err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    if (!place.workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, place.workingFolder.c_str());
    m_started = std::chrono::steady_clock::now();
    EXPECT_EQ(posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
}

ZvkProcess::~ZvkProcess()
{
    Kill();
}

std::optional<int> ZvkProcess::WaitFor(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!m_status && m_pid > 0) {
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_ended = std::chrono::steady_clock::now();
            m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        } else if (std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(kPollInterval);
        }
    }
    return m_status;
}

void ZvkProcess::Kill()
{
    if (m_pid <= 0 || m_status)
        return;
    kill(m_pid, SIGKILL);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_status = -SIGKILL;
    m_ended = std::chrono::steady_clock::now();
}

void ZvkProcess::Signal(int number) const
{
    if (m_pid > 0 && !m_status)
        kill(m_pid, number);
}

pid_t ZvkProcess::Pid() const
{
    return m_pid;
}

#endif

bool ZvkProcess::WaitForErr(const std::string& text, std::chrono::milliseconds timeout) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (Err().find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kPollInterval);
    }
    return true;
}

std::string ZvkProcess::Out() const
{
    return TextOf(m_out);
}

std::string ZvkProcess::Err() const
{
    return TextOf(m_err);
}

std::chrono::steady_clock::duration ZvkProcess::RunTime() const
{
    return m_ended - m_started;
}

} // namespace zvk::cli
