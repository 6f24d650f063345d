#include "shell/MailingListManager.h"

#include "shell/LaunchManager.h"
#include "shell/WebAddresses.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Defaults.h"
#include "platform/desktop/Opener.h"

namespace ostrel {

MailingListManager& MailingListManager::sharedInstance()
{
    static MailingListManager instance;
    return instance;
}

MailingListManager::MailingListManager()
    : m_messageText("Would you like to join our mailing list?")
    , m_informativeText("Be the first to hear about exciting new products, updates & discounted upgrades. It is easy "
                        "to join our mailing list and just as easy to unsubscribe later.")
    , m_subscriptionUrl(webAddresses::mailingListSubscription)
{
    base::Defaults::standard()->registerDefaults({ { kLaunchCounterKey, 0 }, { kHaveShownDialogKey, false } });
}

void MailingListManager::doIt()
{
    auto defaults = base::Defaults::standard();
    int64_t count = defaults->integer(kLaunchCounterKey);
    defaults->set(kLaunchCounterKey, static_cast<long long>(countedOnce(count)));
    defaults->synchronize();
    if ((!defaults->boolean(kHaveShownDialogKey) && count > 4) || m_forceActivationForTesting)
        showJoinMailingListDialog();
}

void MailingListManager::showJoinMailingListDialog()
{
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Informational;
    alert.message = m_messageText;
    alert.informativeText = m_informativeText;
    alert.buttons = { "Join", "Not Now" };
    alert.escapeButton = 1;
    alert.suppressionTitle = base::AlertRequest::kStandardSuppressionTitle;
    auto answer = base::AlertPresenter::present(alert);
    if (answer.button == 0)
        openMailingListLink();
    if (answer.suppressed)
        base::Defaults::standard()->set(kHaveShownDialogKey, true);
}

void MailingListManager::openMailingListLink()
{
    // The opener refuses, with a logged line, text that is no link.
    desktop::Opener::openLink(m_subscriptionUrl);
}

}
