#include "platform/base/MainQueue.h"

#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"
#include "platform/base/Timer.h"
#include "platform/base/WorkItem.h"

namespace base {

void MainQueue::async(std::function<void()> task)
{
    RunLoop::main().post(std::move(task));
}

void MainQueue::async(std::shared_ptr<WorkItem> item)
{
    async([item = std::move(item)] { item->perform(); });
}

void MainQueue::asyncAfter(double delay, std::function<void()> task)
{
    if (delay <= 0) {
        async(std::move(task));
        return;
    }
    double when = Time::now() + delay;
    // Timers belong to the main thread, so the timer itself is made there. The common mode
    // is how "every mode" reads for a timer.
    async([when, task = std::move(task)]() mutable {
        Timer::createAt(when, 0, false, RunLoop::Mode::Common, [task = std::move(task)](Timer&) { task(); });
    });
}

void MainQueue::asyncAfter(double delay, std::shared_ptr<WorkItem> item)
{
    asyncAfter(delay, [item = std::move(item)] { item->perform(); });
}

}
