#pragma once

#include <functional>
#include <memory>

namespace base {
class WorkItem;
}

namespace ostrel {

// Runs the latest of a burst of requests once, `delay` seconds after the last one, on the
// main queue. Dropping the debouncer does not cancel what is pending.
class Debouncer {
public:
    explicit Debouncer(double delay)
        : m_delay(delay)
    {
    }

    void run(std::function<void()> action);

private:
    double m_delay { 0 };
    std::shared_ptr<base::WorkItem> m_workItem;
};

}
