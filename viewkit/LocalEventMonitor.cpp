#include "viewkit/LocalEventMonitor.h"

namespace ostrel {

std::shared_ptr<LocalEventMonitor> LocalEventMonitor::create(std::uint64_t events, Callback callback)
{
    return std::shared_ptr<LocalEventMonitor>(new LocalEventMonitor(events, std::move(callback)));
}

LocalEventMonitor::LocalEventMonitor(std::uint64_t events, Callback callback)
    : m_events(events)
    , m_callback(std::move(callback))
{
}

LocalEventMonitor::~LocalEventMonitor()
{
    if (m_monitor && m_application && ui::Application::shared() == m_application)
        m_application->removeMonitor(*m_monitor);
    m_monitor.reset();
}

LocalEventMonitor& LocalEventMonitor::start()
{
    auto* application = ui::Application::shared();
    if (m_monitor || !application)
        return *this;
    m_application = application;
    // The callback is copied into the monitor: the wrapper may go first.
    m_monitor = application->addLocalMonitor(m_events, m_callback);
    return *this;
}

}
