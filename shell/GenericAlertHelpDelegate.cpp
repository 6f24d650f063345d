#include "shell/GenericAlertHelpDelegate.h"

namespace ostrel {

std::shared_ptr<GenericAlertHelpDelegate> GenericAlertHelpDelegate::create(std::function<void()> actionFunc)
{
    return std::shared_ptr<GenericAlertHelpDelegate>(new GenericAlertHelpDelegate(std::move(actionFunc)));
}

GenericAlertHelpDelegate::GenericAlertHelpDelegate(std::function<void()> actionFunc)
    : m_actionFunc(std::move(actionFunc))
{
}

bool GenericAlertHelpDelegate::alertShowHelp()
{
    if (m_actionFunc)
        m_actionFunc();
    return true;
}

std::function<void()> GenericAlertHelpDelegate::helpClosure(std::shared_ptr<GenericAlertHelpDelegate> delegate)
{
    return [delegate = std::move(delegate)] { delegate->alertShowHelp(); };
}

}
