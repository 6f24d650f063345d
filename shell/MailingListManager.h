#pragma once

#include <string>

namespace ostrel {

// The request to join the mailing list, shown at start-up from the sixth counted launch on
// until the user ticks "do not show again". It counts launches under its own key,
// "mailing_list_launchCounter", which stays at its maximum rather than overflowing.
class MailingListManager {
public:
    static MailingListManager& sharedInstance();

    // The launch-time check: counts this launch, then shows the prompt when it is due.
    void doIt();
    // Shows the prompt at once: "Join" opens the subscription page.
    void showJoinMailingListDialog();
    void openMailingListLink();

    const std::string& messageText() const { return m_messageText; }
    void setMessageText(std::string text) { m_messageText = std::move(text); }
    const std::string& informativeText() const { return m_informativeText; }
    void setInformativeText(std::string text) { m_informativeText = std::move(text); }
    const std::string& subscriptionUrl() const { return m_subscriptionUrl; }
    void setSubscriptionUrl(std::string url) { m_subscriptionUrl = std::move(url); }
    bool forceActivationForTesting() const { return m_forceActivationForTesting; }
    void setForceActivationForTesting(bool force) { m_forceActivationForTesting = force; }

    static constexpr const char* kLaunchCounterKey = "mailing_list_launchCounter";
    static constexpr const char* kHaveShownDialogKey = "mailing_list_haveShownJoinMailingListDialog";

private:
    MailingListManager();

    std::string m_messageText;
    std::string m_informativeText;
    std::string m_subscriptionUrl;
    bool m_forceActivationForTesting { false };
};

}
