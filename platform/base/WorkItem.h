#pragma once

#include <atomic>
#include <functional>
#include <memory>

namespace base {

// A closure that can be cancelled before it runs. Cancelling one that already ran, or is
// running, changes nothing.
class WorkItem {
public:
    static std::shared_ptr<WorkItem> create(std::function<void()> action);

    // Runs the action unless the item was cancelled.
    void perform();
    // Safe from any thread.
    void cancel() { m_cancelled.store(true); }
    bool isCancelled() const { return m_cancelled.load(); }

private:
    explicit WorkItem(std::function<void()> action)
        : m_action(std::move(action))
    {
    }

    std::function<void()> m_action;
    std::atomic<bool> m_cancelled { false };
};

}
