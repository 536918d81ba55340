#include "gui/window_call_queue.h"

#include <utility>

#include <QMetaObject>

void WindowCallQueue::Post(std::function<void()> call)
{
    {
        const std::lock_guard lock(m_mutex);
        m_calls.push_back(std::move(call));
    }
    // One wake per call, so a call that runs a nested event loop (a message box) lets the
    // calls posted after it run meanwhile, as they would from Qt's own queue.
    QMetaObject::invokeMethod(this, "RunNext", Qt::QueuedConnection);
}

void WindowCallQueue::RunNext()
{
    std::function<void()> call;
    {
        const std::lock_guard lock(m_mutex);
        if (m_calls.empty())
            return;
        call = std::move(m_calls.front());
        m_calls.pop_front();
    }
    call();
}
