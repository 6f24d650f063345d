#include "shell/LaunchTasks.h"

#include "core/DefaultsStorage.h"
#include "shell/WebAddresses.h"

#include "platform/base/AlertPresenter.h"
#include "platform/base/Diagnostics.h"
#include "platform/desktop/Opener.h"

namespace ostrel {

namespace {
constexpr const char* kDoNotShowYouTubeRequestAgainKey = "DoNotShowYouTubeSubscriptionRequestAgain";
}

std::vector<LaunchListItem> applicationLaunchList(std::shared_ptr<DefaultsStorageAPI> storage,
    std::function<void()> showWelcomePage)
{
    std::vector<LaunchListItem> list;
    if (showWelcomePage)
        list.push_back({ LaunchTrigger::firstLaunch(), std::move(showWelcomePage) });
    list.push_back({ LaunchTrigger::afterDays(18), [storage = std::move(storage)] { showYouTubeSubscriptionRequest(*storage); } });
    return list;
}

void showYouTubeSubscriptionRequest(DefaultsStorageAPI& storage)
{
    if (!desktop::Opener::isLink(webAddresses::videoChannel))
        base::fatal("the video channel's address is no link");
    if (storage.getBoolean(kDoNotShowYouTubeRequestAgainKey))
        return;
    base::AlertRequest alert;
    alert.style = base::AlertRequest::Style::Warning;
    alert.message = "I have a small favour to ask..";
    alert.informativeText = "Marketing a niche product like Ostrel is not easy, so I'm trying to establish a YouTube "
                            "channel to grow its user base.\n\nSubscribing to the channel would really help me out "
                            "and allow me to spend more time on the product.";
    alert.suppressionTitle = "Please do not ask me again";
    alert.buttons = { "Go to YouTube to Subscribe", "Not Now" };
    auto answer = base::AlertPresenter::present(alert);
    if (answer.button == 0)
        desktop::Opener::openLink(webAddresses::videoChannel);
    if (answer.suppressed)
        storage.store(true, kDoNotShowYouTubeRequestAgainKey);
}

}
