#include "program_run.h"

#include <thread>

#include <windows.h>

#include <gtest/gtest.h>

#include "support/file_bytes.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace zvk::test {
namespace {

constexpr DWORD kLongestRunMs = 120'000;

// A file the child writes to as its stdout or stderr.
HANDLE InheritableOutput(const fs::path& file)
{
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string WithoutCarriageReturns(const std::string& text)
{
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\r' || i + 1 >= text.size() || text[i + 1] != '\n')
            lines += text[i];
    return lines;
}

// Every argument quoted: none of ours holds a quote.
std::wstring CommandLine(const fs::path& program, const std::vector<fs::path>& arguments)
{
    std::wstring line = L"\"" + program.native() + L"\"";
    for (const fs::path& argument : arguments)
        line += L" \"" + argument.native() + L"\"";
    return line;
}

} // namespace

ProgramProcess::ProgramProcess(const fs::path& program, const std::vector<fs::path>& arguments,
                               const fs::path& workingDirectory, const fs::path& outputFolder,
                               const std::string& name)
    : m_out(outputFolder / (name + ".out")), m_err(outputFolder / (name + ".err"))
{
    const HANDLE out = InheritableOutput(m_out);
    const HANDLE err = InheritableOutput(m_err);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = CommandLine(program, arguments);
    m_started = std::chrono::steady_clock::now();
    const BOOL created = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        0, nullptr, workingDirectory.c_str(), &startup, &process);
    CloseHandle(out);
    CloseHandle(err);
    if (!created) {
        ADD_FAILURE() << "cannot start " << program << ": error " << GetLastError();
        return;
    }
    CloseHandle(process.hThread);
    m_process = process.hProcess;
}

ProgramProcess::~ProgramProcess()
{
    if (m_process == nullptr)
        return;
    TerminateProcess(m_process, 1);
    WaitForSingleObject(m_process, INFINITE);
    CloseHandle(m_process);
}

ProgramRun ProgramProcess::Wait()
{
    ProgramRun run;
    if (m_process == nullptr)
        return run;
    if (WaitForSingleObject(m_process, kLongestRunMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "still running after " << kLongestRunMs << " ms: " << m_out;
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, INFINITE);
    }
    run.took = std::chrono::steady_clock::now() - m_started;
    DWORD status = 0;
    GetExitCodeProcess(m_process, &status);
    run.status = static_cast<int>(status);
    CloseHandle(m_process);
    m_process = nullptr;
    run.out = WithoutCarriageReturns(ReadBytes(m_out));
    run.err = WithoutCarriageReturns(ReadBytes(m_err));
    return run;
}

bool ProgramProcess::WaitForErr(const std::string& text, std::chrono::milliseconds timeout) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        std::error_code ec;
        if (fs::is_regular_file(m_err, ec) && FileBytes(m_err).find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

ProgramRun RunProgram(const fs::path& program, const std::vector<fs::path>& arguments,
                      const fs::path& workingDirectory, const fs::path& outputFolder)
{
    return ProgramProcess(program, arguments, workingDirectory, outputFolder, "zvk").Wait();
}

ScopedVariable::ScopedVariable(std::wstring name, const fs::path& value) : m_name(std::move(name))
{
    if (const DWORD size = GetEnvironmentVariableW(m_name.c_str(), nullptr, 0); size > 0) {
        std::wstring previous(size, L'\0');
        previous.resize(GetEnvironmentVariableW(m_name.c_str(), previous.data(), size));
        m_previous = previous;
    }
    SetEnvironmentVariableW(m_name.c_str(), value.empty() ? nullptr : value.c_str());
}

ScopedVariable::~ScopedVariable()
{
    SetEnvironmentVariableW(m_name.c_str(), m_previous ? m_previous->c_str() : nullptr);
}

} // namespace zvk::test
