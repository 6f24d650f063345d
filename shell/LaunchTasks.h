#pragma once

#include "shell/LaunchManager.h"

#include <functional>
#include <memory>
#include <vector>

namespace ostrel {

class DefaultsStorageAPI;

// The application's launch-time tasks, under the root "launchManager", in order:
// the welcome page on the first launch (when the help pages give a way to show it), then
// the one-time request on day 18 to subscribe to the video channel.
inline constexpr const char* kLaunchManagerDefaultsKeyRoot = "launchManager";

std::vector<LaunchListItem> applicationLaunchList(std::shared_ptr<DefaultsStorageAPI> storage,
    std::function<void()> showWelcomePage);

// Asks, unless the user said not to, to subscribe to the video channel; a ticked check box
// is stored under "DoNotShowYouTubeSubscriptionRequestAgain" through the storage.
void showYouTubeSubscriptionRequest(DefaultsStorageAPI& storage);

}
