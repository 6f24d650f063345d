#include "shell/LaunchManager.h"

#include "core/DefaultsStorage.h"
#include "shell/DateProvider.h"
#include "shell/LaunchTasks.h"
#include "tests/shell/ShellFixture.h"

#include <cmath>
#include <fstream>
#include <limits>

namespace ostrel {
namespace {

constexpr double kDay = 24 * 60 * 60;
constexpr double kFirst = 789296400.0;
constexpr int64_t kMaximum = std::numeric_limits<int64_t>::max();

// A launch manager over the settings file, relaunched as often as a case likes, whose tasks
// write their names into `ran`.
class LaunchManagerTest : public test::ShellTest {
protected:
    std::shared_ptr<LaunchManager> launch(double now, std::vector<LaunchTrigger> triggers)
    {
        relaunchSettings();
        clock->setTestCurrentTimeIntervalFromReferenceDate(now);
        std::vector<LaunchListItem> list;
        for (std::size_t i = 0; i < triggers.size(); ++i)
            list.push_back({ triggers[i], [this, i] { ran.push_back(i); } });
        storage = std::make_shared<StandardUserDefaultsStorage>(settings);
        auto manager = LaunchManager::create("launchManager", std::move(list), storage, clock);
        ran.clear();
        manager->doIt();
        return manager;
    }
    int64_t counter() const { return settings->integer("launchManagerLaunchCounter"); }
    int64_t lastDay() const { return settings->integer("launchManagerLastExecutedLaunchDay"); }
    void writeSettingsFile(const std::string& json)
    {
        std::filesystem::create_directories(settingsFile().parent_path());
        std::ofstream(settingsFile()) << json;
    }

    std::shared_ptr<TestDateProvider> clock = TestDateProvider::create(kFirst);
    std::shared_ptr<StandardUserDefaultsStorage> storage;
    std::vector<std::size_t> ran;
};

using T = LaunchTrigger;

TEST_F(LaunchManagerTest, FirstAndLaterLaunchesOfTheFirstDay)
{
    std::vector<T> triggers { T::firstLaunch(), T::afterLaunches(0), T::afterLaunches(1), T::afterDays(0),
        T::untilDefaultsKeyIsSet("seenIt"), T::everyTime() };
    launch(kFirst, triggers);
    EXPECT_EQ(settings->real("launchManagerFirstLaunch"), kFirst);
    EXPECT_EQ(ran, (std::vector<std::size_t> { 0, 1, 3, 4, 5 }));
    EXPECT_EQ(counter(), 1);
    EXPECT_EQ(lastDay(), 0);
    EXPECT_TRUE(settings->boolean("seenIt"));

    launch(kFirst + 3600, triggers);
    EXPECT_EQ(ran, (std::vector<std::size_t> { 2, 5 }));
    EXPECT_EQ(counter(), 2);
    EXPECT_EQ(settings->real("launchManagerFirstLaunch"), kFirst);
}

TEST_F(LaunchManagerTest, ADayTaskRunsOnlyOnTheFirstLaunchOfThatDay)
{
    std::vector<T> triggers { T::afterDays(18) };
    launch(kFirst, triggers);
    launch(kFirst + 18 * kDay + 2 * 3600, triggers);
    EXPECT_EQ(ran.size(), 1u);
    EXPECT_EQ(lastDay(), 18);
    launch(kFirst + 18 * kDay + 5 * 3600, triggers);
    EXPECT_TRUE(ran.empty());

    // Days 17 and 19, never 18: the task is never met.
    settings->remove("launchManagerFirstLaunch");
    settings->remove("launchManagerLastExecutedLaunchDay");
    launch(kFirst, triggers);
    launch(kFirst + 17 * kDay, triggers);
    launch(kFirst + 19 * kDay, triggers);
    EXPECT_TRUE(ran.empty());
}

TEST_F(LaunchManagerTest, AClockSetBackCountsNegativeDaysAndAnEmptyListStillCounts)
{
    launch(kFirst, {});
    EXPECT_EQ(counter(), 1);
    launch(kFirst - 3600, { T::afterDays(0) });
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(lastDay(), -1);
    EXPECT_EQ(counter(), 2);
}

TEST_F(LaunchManagerTest, TheInMemoryTwinBehavesLikeFreshSettings)
{
    auto twin = std::make_shared<TestDefaultsStorage>();
    std::vector<std::string> order;
    auto manager = LaunchManager::create("root",
        { { T::untilDefaultsKeyIsSet("k"), [&] { order.push_back(twin->getBoolean("k") ? "k already set" : "k unset"); } },
            { T::firstLaunch(), [&] { order.push_back("first"); } } },
        twin, clock);
    EXPECT_EQ(twin->getTimeInterval("rootFirstLaunch"), kFirst);
    manager->doIt();
    EXPECT_EQ(order, (std::vector<std::string> { "k already set", "first" }));
    EXPECT_EQ(twin->getInteger("rootLaunchCounter"), 1);
    EXPECT_EQ(twin->getInteger("rootLastExecutedLaunchDay"), 0);
}

// Values of a damaged or hand-edited settings file: the first launch no day can be counted
// from becomes now (logged), and counters stay at their maximum.
TEST_F(LaunchManagerTest, LaunchTasks)
{
    writeSettingsFile(R"({"launchManagerFirstLaunch": 1e308, "launchManagerLaunchCounter": 9223372036854775807})");
    launch(kFirst + 5 * kDay, { T::afterDays(0), T::afterLaunches(kMaximum) });
    EXPECT_EQ(ran, (std::vector<std::size_t> { 0, 1 }));
    EXPECT_EQ(settings->real("launchManagerFirstLaunch"), kFirst + 5 * kDay);
    EXPECT_TRUE(loggedLineContaining("the first launch is now"));
    EXPECT_EQ(counter(), kMaximum);
    EXPECT_EQ(lastDay(), 0);

    // A counter far beyond the integers reads as the maximum and stays there.
    writeSettingsFile(R"({"launchManagerFirstLaunch": -1e300, "launchManagerLaunchCounter": 1e30})");
    launch(kFirst, {});
    EXPECT_EQ(counter(), kMaximum);
    EXPECT_EQ(settings->real("launchManagerFirstLaunch"), kFirst);

    for (double damaged : { std::nan(""), std::numeric_limits<double>::infinity() }) {
        auto twin = std::make_shared<TestDefaultsStorage>();
        twin->store(damaged, "launchManagerFirstLaunch");
        LaunchManager::create("launchManager", {}, twin, clock)->doIt();
        EXPECT_EQ(twin->getTimeInterval("launchManagerFirstLaunch"), kFirst);
        EXPECT_EQ(twin->getInteger("launchManagerLastExecutedLaunchDay"), 0);
    }
}

TEST_F(LaunchManagerTest, TheApplicationsListShowsTheWelcomePageFirstAndTheVideoRequestOnDayEighteen)
{
    auto twin = std::make_shared<TestDefaultsStorage>();
    std::vector<std::string> shown;
    base::AlertPresenter::install([&](const base::AlertRequest& alert) {
        shown.push_back(alert.message);
        return base::AlertAnswer {};
    });
    auto list = applicationLaunchList(twin, [&] { shown.push_back("welcome"); });
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].trigger, T::firstLaunch());
    EXPECT_EQ(list[1].trigger, T::afterDays(18));
    auto manager = LaunchManager::create(kLaunchManagerDefaultsKeyRoot, list, twin, clock);
    manager->doIt();
    EXPECT_EQ(shown, (std::vector<std::string> { "welcome" }));
    clock->setTestCurrentTimeIntervalFromReferenceDate(kFirst + 18 * kDay);
    manager->doIt();
    EXPECT_EQ(shown, (std::vector<std::string> { "welcome", "I have a small favour to ask.." }));

    // Until the help pages fill the hook, the list holds the video request alone.
    auto withoutWelcome = applicationLaunchList(twin, nullptr);
    ASSERT_EQ(withoutWelcome.size(), 1u);
    EXPECT_EQ(withoutWelcome[0].trigger, T::afterDays(18));
}

}
}
