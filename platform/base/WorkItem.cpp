#include "platform/base/WorkItem.h"

namespace base {

std::shared_ptr<WorkItem> WorkItem::create(std::function<void()> action)
{
    return std::shared_ptr<WorkItem>(new WorkItem(std::move(action)));
}

void WorkItem::perform()
{
    if (!isCancelled() && m_action)
        m_action();
}

}
