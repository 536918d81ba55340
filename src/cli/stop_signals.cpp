#include "cli/stop_signals.h"

#include <csignal>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>
#endif

#include "cli/cli_texts.h"

namespace zvk::cli {
namespace {

// The signal that came first (on Windows, the console's event plus one, so that 0 stays
// "none").
volatile std::sig_atomic_t g_signal = 0;

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
    default:
        return "signal " + std::to_string(number);
    }
}
#endif

// Told at once, as the command may still take a moment to end cleanly. The command
// may be writing its progress to stderr at this moment: the line goes out in one piece,
// never split around a line of the command's.
void AcknowledgeStop()
{
    CommandStop().request_stop();
    const std::string line =
        std::string(messages::kPrefix) + messages::StoppingOn(SignalName(g_signal)) + '\n';
    std::cerr << line << std::flush;
}

#ifndef _WIN32
// The handler only wakes the watcher through a pipe: a stop request runs code
// (callbacks that wake waiting workers) that a signal handler must not run.
int g_wake[2] = {-1, -1};
constexpr char kSignalled = 's';
constexpr char kQuit = 'q';
using SignalAction = struct sigaction;
SignalAction g_previous[2] = {};
constexpr int kStopSignals[2] = {SIGINT, SIGTERM};

extern "C" void OnStopSignal(int number)
{
    const int savedErrno = errno;
    if (g_signal == 0)
        g_signal = number;
    [[maybe_unused]] const ssize_t written = write(g_wake[1], &kSignalled, 1);
    errno = savedErrno;
}

// The stop signals as a set, to block them everywhere but in the watcher.
sigset_t StopSignalSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int number : kStopSignals)
        sigaddset(&set, number);
    return set;
}
sigset_t g_previousMask;

void WatchForSignals()
{
    // The one thread that takes the signals: the command's own threads never have a
    // call cut short by one, and the stop is told even while they wait in a read that
    // does not end (a list that is a pipe, a stalled disk).
    const sigset_t stopSignals = StopSignalSet();
    pthread_sigmask(SIG_UNBLOCK, &stopSignals, nullptr);
    char byte = 0;
    while (true) {
        const ssize_t got = read(g_wake[0], &byte, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0 || byte == kQuit)
            return;
        if (!CommandStop().stop_requested())
            AcknowledgeStop();
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
    if (g_signal == 0)
        g_signal = static_cast<std::sig_atomic_t>(event + 1);
    if (!CommandStop().stop_requested())
        AcknowledgeStop();
    if (event == CTRL_CLOSE_EVENT)
        WaitForSingleObject(g_commandEnded, INFINITE);
    return TRUE;
}
#endif

} // namespace

StopOnSignals::StopOnSignals()
{
#ifndef _WIN32
    if (pipe2(g_wake, O_CLOEXEC) != 0)
        return;
    // A full pipe must never block the handler; one byte waiting is enough.
    fcntl(g_wake[1], F_SETFL, O_NONBLOCK);
    // Blocked before any other thread starts, so that every thread started after this
    // one inherits the block; a signal that comes meanwhile waits for the watcher.
    const sigset_t stopSignals = StopSignalSet();
    pthread_sigmask(SIG_BLOCK, &stopSignals, &g_previousMask);
    m_watcher = std::thread(WatchForSignals);
    SignalAction action{};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 2; ++i)
        sigaction(kStopSignals[i], &action, &g_previous[i]);
#else
    g_commandEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#endif
}

StopOnSignals::~StopOnSignals()
{
#ifndef _WIN32
    if (!m_watcher.joinable())
        return;
    for (int i = 0; i < 2; ++i)
        sigaction(kStopSignals[i], &g_previous[i], nullptr);
    [[maybe_unused]] const ssize_t written = write(g_wake[1], &kQuit, 1);
    m_watcher.join();
    pthread_sigmask(SIG_SETMASK, &g_previousMask, nullptr);
    close(g_wake[0]);
    close(g_wake[1]);
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

std::stop_token CommandStopToken()
{
    return CommandStop().get_token();
}

} // namespace zvk::cli
