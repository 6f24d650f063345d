#include "shell/SmartAppDelegate.h"

#include "shell/MenuItemManager.h"

#include "attention/ScreenFadingHelper.h"

namespace ostrel {

void SmartAppDelegate::runCallbacks(const CallbackList& list, const ui::Notification& notification)
{
    // The list as it was when the message came: a callback that appends to it does not
    // lengthen this run.
    CallbackList callbacks = list;
    for (auto& callback : callbacks)
        callback(*this, notification);
}

void SmartAppDelegate::applicationWillFinishLaunching(const ui::Notification& notification)
{
    auto* application = ui::Application::shared();
    menuItemManager = MenuItemManager::create(application ? application->mainMenu() : nullptr);
    runCallbacks(willFinishLaunchingCallbackList, notification);
}

void SmartAppDelegate::applicationDidFinishLaunching(const ui::Notification& notification)
{
    runCallbacks(didFinishLaunchingCallbackList, notification);
}

void SmartAppDelegate::applicationWillBecomeActive(const ui::Notification& notification)
{
    runCallbacks(willBecomeActiveCallbackList, notification);
}

void SmartAppDelegate::applicationDidBecomeActive(const ui::Notification& notification)
{
    runCallbacks(didBecomeActiveCallbackList, notification);
}

void SmartAppDelegate::applicationWillResignActive(const ui::Notification& notification)
{
    runCallbacks(willResignActiveCallbackList, notification);
}

void SmartAppDelegate::applicationDidResignActive(const ui::Notification& notification)
{
    runCallbacks(didResignActiveCallbackList, notification);
}

void SmartAppDelegate::applicationWillTerminate(const ui::Notification& notification)
{
    runCallbacks(willTerminateCallbackList, notification);
}

void SmartAppDelegate::startBlackOut(double seconds, double alpha)
{
    ScreenFadingHelper::shared().startBlackOut(seconds, alpha);
}

}
