#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zvk::test {

// What a program run as a process of its own left: its exit status and what it wrote,
// with Windows' line ends ("\r\n") read back as "\n".
struct ProgramRun
{
    int status = -1;
    std::string out;
    std::string err;
    std::chrono::steady_clock::duration took{};
};

// A program started as a process of its own, with `arguments`, in `workingDirectory`
// and with this process's environment. Its output goes to files in `outputFolder`
// named after `name`. One still running when the object goes is ended.
class ProgramProcess
{
public:
    ProgramProcess(const std::filesystem::path& program,
                   const std::vector<std::filesystem::path>& arguments,
                   const std::filesystem::path& workingDirectory,
                   const std::filesystem::path& outputFolder, const std::string& name);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // Waits for it to end; one that runs longer than two minutes is ended and fails the
    // test.
    ProgramRun Wait();
    // Waits (at most `timeout`) until its stderr holds `text`.
    bool WaitForErr(const std::string& text, std::chrono::milliseconds timeout) const;

private:
    std::filesystem::path m_out;
    std::filesystem::path m_err;
    void* m_process = nullptr;
    std::chrono::steady_clock::time_point m_started;
};

// Starts the program and waits for it.
ProgramRun RunProgram(const std::filesystem::path& program,
                      const std::vector<std::filesystem::path>& arguments,
                      const std::filesystem::path& workingDirectory,
                      const std::filesystem::path& outputFolder);

// An environment variable of this process (and so of the programs it starts) set for as
// long as the object lives, then as it was; an empty value removes the variable.
class ScopedVariable
{
public:
    ScopedVariable(std::wstring name, const std::filesystem::path& value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::wstring m_name;
    std::optional<std::wstring> m_previous;
};

} // namespace zvk::test
