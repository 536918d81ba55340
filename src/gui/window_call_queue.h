#pragma once

#include <deque>
#include <functional>
#include <mutex>

#include <QObject>

// Calls handed from the transfer's worker thread to the window's thread, run there one
// by one in the order they were posted. The calls wait in a queue of our own, guarded by
// a standard mutex, and the window's thread is only woken through Qt's event queue: what
// a call carries is handed over by the mutex, so the hand-over is visible to the tools
// that check our threads even though Qt's own event queue is not.
class WindowCallQueue : public QObject
{
    Q_OBJECT

public:
    // Made on the thread whose event loop runs the calls.
    WindowCallQueue() = default;

    // Any thread: `call` runs later on the queue's thread, after every call posted
    // before it. Calls still waiting when the queue is destroyed never run.
    void Post(std::function<void()> call);

private:
    Q_INVOKABLE void RunNext();

    std::mutex m_mutex;
    std::deque<std::function<void()>> m_calls;
};
