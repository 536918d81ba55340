#include "device/one_shot_timer.h"

namespace zvk {

OneShotTimer::~OneShotTimer()
{
    Stop();
    Join();
}

void OneShotTimer::Start(std::chrono::milliseconds period, std::function<void()> onFire)
{
    Stop();
    Join();
    m_cancelled = false;
    m_fired = false;
    m_thread = std::thread([this, period, onFire = std::move(onFire)] {
        {
            std::unique_lock lock(m_mutex);
            if (m_wake.wait_for(lock, period, [this] { return m_cancelled; }))
                return;
            m_fired = true;
        }
        onFire();
    });
}

bool OneShotTimer::Stop()
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_fired || !m_thread.joinable())
            return false;
        m_cancelled = true;
    }
    m_wake.notify_all();
    Join();
    return true;
}

void OneShotTimer::Join()
{
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

} // namespace zvk
