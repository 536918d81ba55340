#include "app/stop_signals.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QtDebug>

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

// [0] read by the event loop, [1] written by the handler. Both ends never block: a byte
// that a full socket does not take is dropped, as one signal waiting is as good as two.
int g_sockets[2] = {-1, -1};
// The first stop signal taken, 0 before one.
volatile std::sig_atomic_t g_firstSignal = 0;

void WriteSignalNumber(int number)
{
    // A second signal ends the program at once, with the status of the first: the stop
    // the first one asked for may be held in a step that never returns. The hidden files
    // being written are removed by the next writer into their folder.
    if (g_firstSignal != 0)
        _exit(128 + g_firstSignal);
    g_firstSignal = number;
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(g_sockets[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

StopSignals::StopSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_sockets) != 0) {
        // The signals then end the program at once, as they would without us.
        qWarning("zvkpc: stop signals stay unhandled: %s", std::strerror(errno));
        return;
    }
    m_notifier = new QSocketNotifier(g_sockets[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &StopSignals::ReadSignals);
    struct sigaction action = {};
    action.sa_handler = WriteSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kStopSignals) {
        // One that the session has us ignore (nohup) stays ignored.
        struct sigaction previous = {};
        sigaction(number, nullptr, &previous);
        if (previous.sa_handler != SIG_IGN)
            sigaction(number, &action, nullptr);
    }
}

StopSignals::~StopSignals()
{
    if (m_notifier == nullptr)
        return;
    for (const int number : kStopSignals) {
        struct sigaction current = {};
        sigaction(number, nullptr, &current);
        if (current.sa_handler == WriteSignalNumber)
            std::signal(number, SIG_DFL);
    }
    delete m_notifier;
    ::close(g_sockets[0]);
    ::close(g_sockets[1]);
    g_sockets[0] = g_sockets[1] = -1;
}

void StopSignals::ReadSignals()
{
    unsigned char byte = 0;
    while (::read(g_sockets[0], &byte, 1) == 1)
        emit Received(byte);
}
