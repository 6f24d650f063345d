#include "core/Debouncer.h"

#include "platform/base/MainQueue.h"
#include "platform/base/WorkItem.h"

namespace ostrel {

void Debouncer::run(std::function<void()> action)
{
    if (m_workItem)
        m_workItem->cancel();
    m_workItem = base::WorkItem::create(std::move(action));
    base::MainQueue::asyncAfter(m_delay, m_workItem);
}

}
