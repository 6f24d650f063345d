#include "platform/base/SerialQueue.h"

#include "platform/base/RunLoop.h"

#include <pthread.h>

namespace base {

SerialQueue::SerialQueue(std::string label)
    : m_label(std::move(label))
{
    m_thread = std::thread([this] { work(); });
    // Thread names are limited to 15 bytes; enough to tell the queue apart in a debugger.
    pthread_setname_np(m_thread.native_handle(), m_label.substr(0, 15).c_str());
}

SerialQueue::~SerialQueue()
{
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void SerialQueue::async(std::function<void()> task)
{
    RunLoop::main().beginBackgroundWork();
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_one();
}

void SerialQueue::work()
{
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_closing || !m_tasks.empty(); });
            if (m_tasks.empty())
                return;
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
        RunLoop::main().endBackgroundWork();
    }
}

}
