#pragma once

#include "platform/ui/Application.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

class MenuItemManager;

// What the application is: its name, where updates would come from, its web site.
struct AppDescription {
    std::string productName;
    std::string sparkleFeedURL;
    std::string websiteURL;
};

// The base of the application's delegate: each of the seven launch, activation and
// termination messages runs, first to last, the callbacks other code appended to that
// message's list. Lists only grow; a callback appended while its list runs counts from the
// next message on. The subclass fills the lists in finishInitialization(), which create()
// calls once the object exists.
class SmartAppDelegate : public ui::ApplicationDelegate {
public:
    using Callback = std::function<void(SmartAppDelegate& delegate, const ui::Notification& notification)>;
    using CallbackList = std::vector<Callback>;

    // Made afresh on every will-finish-launching, before that list runs, so its callbacks
    // may use it.
    std::shared_ptr<MenuItemManager> menuItemManager;
    // Set by the subclass.
    std::optional<AppDescription> appDescription;
    // Nothing reads it; there for a subclass that wants its own user-agent text.
    virtual std::optional<std::string> customUserAgentString() const { return std::nullopt; }

    CallbackList willFinishLaunchingCallbackList;
    CallbackList didFinishLaunchingCallbackList;
    CallbackList willBecomeActiveCallbackList;
    CallbackList didBecomeActiveCallbackList;
    CallbackList willResignActiveCallbackList;
    CallbackList didResignActiveCallbackList;
    CallbackList willTerminateCallbackList;

    // Where a subclass appends its callbacks; the base appends none.
    virtual void finishInitialization() { }

    void applicationWillFinishLaunching(const ui::Notification& notification) override;
    void applicationDidFinishLaunching(const ui::Notification& notification) override;
    void applicationWillBecomeActive(const ui::Notification& notification) override;
    void applicationDidBecomeActive(const ui::Notification& notification) override;
    void applicationWillResignActive(const ui::Notification& notification) override;
    void applicationDidResignActive(const ui::Notification& notification) override;
    void applicationWillTerminate(const ui::Notification& notification) override;

    // Every display fades to black and back, rising for half the seconds to `alpha`.
    void startBlackOut(double seconds, double alpha);

protected:
    SmartAppDelegate() = default;

    // A delegate of class T with its lists filled.
    template<typename T, typename... Args>
    static std::shared_ptr<T> make(Args&&... args)
    {
        std::shared_ptr<T> delegate(new T(std::forward<Args>(args)...));
        delegate->finishInitialization();
        return delegate;
    }

private:
    void runCallbacks(const CallbackList& list, const ui::Notification& notification);
};

}
