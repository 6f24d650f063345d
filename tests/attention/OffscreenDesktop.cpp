#include "tests/attention/OffscreenDesktop.h"

#include "attention/DimmingManager.h"
#include "attention/OstrelNotificationSystem.h"
#include "attention/ScreenFadingHelper.h"
#include "attention/SystemVisualNotification.h"
#include "attention/VisualNotification.h"

#include "platform/base/RunLoop.h"
#include "platform/base/Time.h"

namespace ostrel::test {

OffscreenDesktopTest::OffscreenDesktopTest()
    : m_store(base::Defaults::create({}))
{
    base::Defaults::setStandard(m_store);
    m_store->registerDefaults({ { "notificationsSystem", base::Value(false) } });
    auto backend = std::make_unique<ui::OffscreenBackend>();
    m_backend = backend.get();
    m_app = ui::Application::create(std::move(backend));
}

OffscreenDesktopTest::~OffscreenDesktopTest()
{
    OstrelNotificationSystem::setSharedNotifier(nullptr);
    SystemVisualNotification::setSharedNotifier(nullptr);
    VisualNotification::setNotifier(nullptr);
    ScreenFadingHelper::setShared(nullptr);
    DimmingManager::setSharedManager(nullptr);
    base::RunLoop::main().discardAll();
    m_app.reset();
    base::Defaults::setStandard(nullptr);
}

void OffscreenDesktopTest::runFor(double seconds) { base::RunLoop::main().runUntil(base::Time::now() + seconds); }

const ui::Screen& OffscreenDesktopTest::leftDisplay()
{
    static const ui::Screen screen { ui::Rect(0, 0, 1440, 900), ui::Rect(0, 0, 1440, 868), "left", 1 };
    return screen;
}

const ui::Screen& OffscreenDesktopTest::rightDisplay()
{
    static const ui::Screen screen { ui::Rect(1440, -124, 1280, 1024), ui::Rect(1440, -124, 1280, 1024), "right", 1 };
    return screen;
}

void OffscreenDesktopTest::useTwoDisplays() { m_backend->setScreens({ leftDisplay(), rightDisplay() }); }

}
