#pragma once

#include "platform/ui/Application.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace ostrel {

// Sees the application's events of a mask before their window does, between start() and the
// wrapper's end: the callback answers the event to go on with, or none to swallow it.
class LocalEventMonitor {
public:
    using Callback = std::function<std::optional<ui::Event>(const ui::Event&)>;

    static std::shared_ptr<LocalEventMonitor> create(std::uint64_t events, Callback callback);
    ~LocalEventMonitor();
    LocalEventMonitor(const LocalEventMonitor&) = delete;
    LocalEventMonitor& operator=(const LocalEventMonitor&) = delete;

    std::uint64_t events() const { return m_events; }
    bool isMonitoring() const { return m_monitor.has_value(); }
    // Installs the monitor (once) with the shared application; answers itself.
    LocalEventMonitor& start();

private:
    LocalEventMonitor(std::uint64_t events, Callback callback);

    const std::uint64_t m_events { 0 };
    const Callback m_callback;
    std::optional<ui::Application::MonitorId> m_monitor;
    // The application the monitor went to; a later application knows nothing of it.
    ui::Application* m_application { nullptr };
};

}
