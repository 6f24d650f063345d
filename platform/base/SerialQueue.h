#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace base {

// One background thread that runs its tasks one at a time, in the order queued. Results go
// back to the main thread through MainQueue::async. While tasks are queued or running, a
// virtual clock stands still (see RunLoop::beginBackgroundWork). Destroying the queue runs
// what is still queued and joins the thread.
class SerialQueue {
public:
    explicit SerialQueue(std::string label);
    ~SerialQueue();
    SerialQueue(const SerialQueue&) = delete;
    SerialQueue& operator=(const SerialQueue&) = delete;

    // Safe from any thread, including the queue's own.
    void async(std::function<void()> task);

    const std::string& label() const { return m_label; }

private:
    void work();

    std::string m_label;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    bool m_closing { false };
    std::thread m_thread;
};

}
