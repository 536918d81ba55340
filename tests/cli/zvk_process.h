#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#ifndef _WIN32
#include <sys/types.h>
#endif

#include "cli/command_line.h"

namespace zvk::cli {

// The zvk executable run as a process of its own, with this process's environment; its
// stdout and stderr go to files in `outputFolder`, named after `name`. A process still
// running when the object goes is killed.
class ZvkProcess
{
public:
    // Which zvk runs, and where: by default the build's, in this process's working folder.
    struct Place
    {
        std::filesystem::path program;
        std::filesystem::path workingFolder;
    };

    ZvkProcess(const Arguments& arguments, const std::filesystem::path& outputFolder,
               const std::string& name, const Place& place = {});
    ~ZvkProcess();
    ZvkProcess(const ZvkProcess&) = delete;
    ZvkProcess& operator=(const ZvkProcess&) = delete;

    // Its exit status once it has ended within `timeout`; nothing while it still runs.
    std::optional<int> WaitFor(std::chrono::milliseconds timeout);
    // Waits (at most `timeout`) until its stderr holds `text`.
    bool WaitForErr(const std::string& text, std::chrono::milliseconds timeout) const;
    // Ends it with SIGKILL (on Windows TerminateProcess), which it cannot handle, and
    // waits for it.
    void Kill();
#ifndef _WIN32
    // Sends it `number` (SIGINT, SIGSTOP, ...) and goes on.
    void Signal(int number) const;
    pid_t Pid() const;
#endif
    // What it wrote to stdout and stderr so far, as text: the C runtime of Windows ends
    // each line in "\r\n", read here as "\n".
    std::string Out() const;
    std::string Err() const;
    // How long it ran, from its start until WaitFor saw it end.
    std::chrono::steady_clock::duration RunTime() const;

private:
    const std::filesystem::path m_out;
    const std::filesystem::path m_err;
#ifdef _WIN32
    void* m_process = nullptr;
#else
    pid_t m_pid = -1;
#endif
    std::optional<int> m_status;
    std::chrono::steady_clock::time_point m_started;
    std::chrono::steady_clock::time_point m_ended;
};

} // namespace zvk::cli
