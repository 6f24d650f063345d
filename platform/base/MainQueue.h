#pragma once

#include <functional>
#include <memory>

namespace base {

class WorkItem;

// Work for the main thread, run by the main run loop in every mode, in the order queued.
class MainQueue {
public:
    // The one entry that any thread may use.
    static void async(std::function<void()> task);
    static void async(std::shared_ptr<WorkItem> item);

    // Runs `delay` seconds from now (at once, after the work already queued, for a delay of
    // 0 or less). Safe from any thread; the delay counts from the call.
    static void asyncAfter(double delay, std::function<void()> task);
    static void asyncAfter(double delay, std::shared_ptr<WorkItem> item);
};

}
