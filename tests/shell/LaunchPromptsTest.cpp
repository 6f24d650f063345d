#include "shell/LaunchTasks.h"
#include "shell/MailingListManager.h"

#include "core/DefaultsStorage.h"
#include "shell/WebAddresses.h"
#include "tests/shell/ShellFixture.h"

#include <limits>

namespace ostrel {
namespace {

class LaunchPromptsTest : public test::ShellTest {
protected:
    MailingListManager& mailingList() { return MailingListManager::sharedInstance(); }
    // Runs the mailing-list check as the given number of launches would.
    void launches(int count)
    {
        for (int i = 0; i < count; ++i) {
            relaunchSettings();
            mailingList().doIt();
        }
    }
};

TEST_F(LaunchPromptsTest, MailingListPromptFromTheSixthLaunchUntilTheBoxIsTicked)
{
    launches(5);
    EXPECT_TRUE(alerts.empty());
    answers = { { 1, false } };
    launches(1);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].message, "Would you like to join our mailing list?");
    EXPECT_EQ(alerts[0].buttons, (std::vector<std::string> { "Join", "Not Now" }));
    EXPECT_EQ(alerts[0].escapeButtonIndex(), 1);
    EXPECT_TRUE(alerts[0].suppressionTitle);
    EXPECT_TRUE(opened.empty());

    answers = { { 0, true } };
    launches(1);
    ASSERT_EQ(alerts.size(), 2u);
    EXPECT_EQ(opened, (std::vector<std::string> { webAddresses::mailingListSubscription }));
    launches(3);
    EXPECT_EQ(alerts.size(), 2u);
    EXPECT_EQ(settings->integer(MailingListManager::kLaunchCounterKey), 10);

    mailingList().setForceActivationForTesting(true);
    launches(1);
    mailingList().setForceActivationForTesting(false);
    EXPECT_EQ(alerts.size(), 3u);
}

TEST_F(LaunchPromptsTest, MailingListCounterStopsAtItsMaximum)
{
    constexpr auto maximum = std::numeric_limits<int64_t>::max();
    settings->set(MailingListManager::kLaunchCounterKey, static_cast<long long>(maximum));
    settings->set(MailingListManager::kHaveShownDialogKey, true);
    launches(2);
    EXPECT_EQ(settings->integer(MailingListManager::kLaunchCounterKey), maximum);
    EXPECT_TRUE(alerts.empty());
}

TEST_F(LaunchPromptsTest, VideoChannelRequestAsksOnceTickedAndNeverWhenDeclined)
{
    TestDefaultsStorage storage;
    answers = { { 1, false } };
    showYouTubeSubscriptionRequest(storage);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts[0].style, base::AlertRequest::Style::Warning);
    EXPECT_EQ(alerts[0].suppressionTitle, "Please do not ask me again");
    EXPECT_EQ(alerts[0].buttons, (std::vector<std::string> { "Go to YouTube to Subscribe", "Not Now" }));
    EXPECT_NE(alerts[0].informativeText.find("user base.\n\nSubscribing"), std::string::npos);
    EXPECT_FALSE(storage.defined("DoNotShowYouTubeSubscriptionRequestAgain"));
    EXPECT_TRUE(opened.empty());

    answers = { { 0, true } };
    showYouTubeSubscriptionRequest(storage);
    EXPECT_EQ(opened, (std::vector<std::string> { webAddresses::videoChannel }));
    EXPECT_TRUE(storage.getBoolean("DoNotShowYouTubeSubscriptionRequestAgain"));

    showYouTubeSubscriptionRequest(storage);
    EXPECT_EQ(alerts.size(), 2u);
}

}
}
