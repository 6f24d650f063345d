#pragma once

#include <functional>
#include <memory>

namespace ostrel {

// Turns an alert's help button into a call: the alert request's help closure runs
// alertShowHelp(), which runs the closure fixed at creation.
class GenericAlertHelpDelegate {
public:
    static std::shared_ptr<GenericAlertHelpDelegate> create(std::function<void()> actionFunc);

    // Always true: the help was shown.
    bool alertShowHelp();
    // For an alert request's help button; holds the delegate.
    static std::function<void()> helpClosure(std::shared_ptr<GenericAlertHelpDelegate> delegate);

private:
    explicit GenericAlertHelpDelegate(std::function<void()> actionFunc);

    const std::function<void()> m_actionFunc;
};

}
