#include "cli/stop_signals.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

#include "cli/cli_texts.h"
#include "files/temporary_files.h"

namespace zvk::cli {
namespace {

// The signal that came first (on Windows, the console's event plus one, so that 0 stays
// "none"). Set by the thread that takes the signals, read by main for the exit status.
std::atomic<int> g_signal = 0;

void RememberFirstSignal(int number)
{
    int none = 0;
    g_signal.compare_exchange_strong(none, number);
}

// The one stop source of the process's command. Process-wide because Windows calls its
// console handler with no way to hand it anything; only this file reaches it, and the
// command gets its token through StopOnSignals.
std::stop_source& CommandStop()
{
    static std::stop_source source;
    return source;
}

#ifdef _WIN32
std::string SignalName(int number)
{
    switch (number - 1) {
    case CTRL_C_EVENT:
        return "Ctrl-C";
    case CTRL_BREAK_EVENT:
        return "Ctrl-Break";
    case CTRL_CLOSE_EVENT:
        return "the closing of the console";
    default:
        return "console event " + std::to_string(number - 1);
    }
}
#else
std::string SignalName(int number)
{
    switch (number) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGHUP:
        return "SIGHUP";
    default:
        return "signal " + std::to_string(number);
    }
}
#endif

// The program that says it is stopping, as its one-line messages begin.
std::string_view g_program = "zvk";

// Told at once, as the command may still take a moment to end cleanly. The command
// may be writing its progress to stderr at this moment: the line goes out in one piece,
// never split around a line of the command's.
void AcknowledgeStop()
{
    CommandStop().request_stop();
    const std::string line =
        std::string(g_program) + ": " + messages::StoppingOn(SignalName(g_signal)) + '\n';
    std::cerr << line << std::flush;
}

#ifndef _WIN32
// SIGHUP: the terminal was closed, or the session ended.
constexpr int kStopSignals[3] = {SIGINT, SIGTERM, SIGHUP};
sigset_t g_previousMask;
// Set when the command has ended: the watcher then leaves at its next wake.
std::atomic<bool> g_quitting = false;

sigset_t StopSignalSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int number : kStopSignals)
        sigaddset(&set, number);
    return set;
}

// A second signal: whoever sent it will not wait for the command to end cleanly (it may
// be held in a read that does not end, a stalled disk). The files being written are
// removed and the process ends with the status of the first signal.
[[noreturn]] void EndAtOnce()
{
    RemoveClaimedTemporaryFiles();
    const std::string line =
        std::string(g_program) + ": " + std::string(messages::kStoppedAtOnce) + '\n';
    std::cerr << line << std::flush;
    std::_Exit(128 + g_signal);
}

// The stop signals stay blocked in every thread and the watcher takes them as they
// come: no handler runs, so the stop request (callbacks that wake waiting workers) runs
// as ordinary code, no call of the command's threads is cut short, and the stop is told
// even while they wait in a read that does not end (a list that is a pipe, a stalled
// disk).
void WatchForSignals()
{
    const sigset_t stopSignals = StopSignalSet();
    while (true) {
        int number = 0;
        if (sigwait(&stopSignals, &number) != 0 || g_quitting)
            return;
        RememberFirstSignal(number);
        if (!CommandStop().stop_requested())
            AcknowledgeStop();
        else
            EndAtOnce();
    }
}
#else
// Set once the command has ended and its files are whole.
HANDLE g_commandEnded = nullptr;

// Windows runs the handler on a thread of its own, where a stop request is safe. A closed
// console ends the process as soon as the handler returns (and in any case a few seconds
// later): the handler waits until the command has ended cleanly.
BOOL WINAPI OnConsoleEvent(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT)
        return FALSE;
    RememberFirstSignal(static_cast<int>(event) + 1);
    if (!CommandStop().stop_requested())
        AcknowledgeStop();
    if (event == CTRL_CLOSE_EVENT)
        WaitForSingleObject(g_commandEnded, INFINITE);
    return TRUE;
}
#endif

} // namespace

StopOnSignals::StopOnSignals(std::string_view program)
{
    g_program = program;
#ifndef _WIN32
    // Blocked before any other thread starts, so that every thread started after this
    // one inherits the block; a signal that comes before the watcher waits for it.
    const sigset_t stopSignals = StopSignalSet();
    pthread_sigmask(SIG_BLOCK, &stopSignals, &g_previousMask);
    // A closed output (zvk ... | head) is a failed write, which the command tells and
    // ends on with its files whole, rather than an end in the middle of a write.
    std::signal(SIGPIPE, SIG_IGN);
    m_watcher = std::thread(WatchForSignals);
#else
    g_commandEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#endif
}

StopOnSignals::~StopOnSignals()
{
#ifndef _WIN32
    g_quitting = true;
    pthread_kill(m_watcher.native_handle(), SIGTERM);
    m_watcher.join();
    // A signal that comes from now on ends the process as it would without us.
    pthread_sigmask(SIG_SETMASK, &g_previousMask, nullptr);
#else
    SetEvent(g_commandEnded);
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
#endif
}

int StopOnSignals::ExitStatus(int commandStatus) const
{
    const int number = g_signal;
    if (number == 0)
        return commandStatus;
#ifdef _WIN32
    // What a console program that Ctrl-C ended returns on Windows.
    return static_cast<int>(STATUS_CONTROL_C_EXIT);
#else
    return 128 + number;
#endif
}

std::stop_token StopOnSignals::StopToken() const
{
    return CommandStop().get_token();
}

} // namespace zvk::cli
