#pragma once

#include <stop_token>
#include <string_view>
#include <thread>

namespace zvk::cli {

// For as long as it lives, SIGINT (Ctrl-C), SIGTERM and SIGHUP (a closed terminal) do
// not end the process at once: they request a stop of the running command (said at once
// on stderr), which then ends cleanly, with no half-written file and no temporary file
// left behind. A second one ends the process at once, its files being written removed.
// SIGPIPE is ignored: a write to a closed output fails, and the command says so.
// On Windows the same holds for Ctrl-C, Ctrl-Break and the closing of the console.
// One per process, made by main; `program` (a literal) begins the line that says so.
class StopOnSignals
{
public:
    explicit StopOnSignals(std::string_view program = "zvk");
    ~StopOnSignals();
    StopOnSignals(const StopOnSignals&) = delete;
    StopOnSignals& operator=(const StopOnSignals&) = delete;

    // The stop request of the running command: requested once a stop signal came.
    std::stop_token StopToken() const;

    // The command's exit status, or that of a process ended by the signal (128 plus
    // its number; on Windows that of a process ended by Ctrl-C) when one came.
    int ExitStatus(int commandStatus) const;

private:
    std::thread m_watcher;
};

} // namespace zvk::cli
