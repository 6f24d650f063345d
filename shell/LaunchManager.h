#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

class DateProviderAPI;
class DefaultsStorageAPI;

// When a launch-time task runs.
struct LaunchTrigger {
    enum class Kind { afterDays, afterLaunches, untilDefaultsKeyIsSet, firstLaunch, everyTime };

    // On the first run of the given day counted from the first launch (day 0).
    static LaunchTrigger afterDays(int64_t days) { return { Kind::afterDays, days, 0, {} }; }
    // When the launch counter, before this launch adds one, equals the given count.
    static LaunchTrigger afterLaunches(int64_t launches) { return { Kind::afterLaunches, 0, launches, {} }; }
    // While the key has no value; the manager stores true under it before running the task.
    static LaunchTrigger untilDefaultsKeyIsSet(std::string defaultsKey) { return { Kind::untilDefaultsKeyIsSet, 0, 0, std::move(defaultsKey) }; }
    static LaunchTrigger firstLaunch() { return { Kind::firstLaunch, 0, 0, {} }; }
    static LaunchTrigger everyTime() { return { Kind::everyTime, 0, 0, {} }; }

    Kind kind { Kind::everyTime };
    int64_t days { 0 };
    int64_t launches { 0 };
    std::string defaultsKey;
    bool operator==(const LaunchTrigger&) const = default;
};

struct LaunchListItem {
    LaunchTrigger trigger;
    std::function<void()> function;
};

// Runs small one-off or recurring tasks at start-up and counts launches, keeping its state
// under three settings keys made from one root: "<root>FirstLaunch" (seconds since 2001),
// "<root>LaunchCounter" and "<root>LastExecutedLaunchDay". Settings come only through the
// storage and "now" only through the date provider, so tests replace both. Damaged values
// (a first launch no day can be counted from, a counter at its maximum) never stop it: the
// first launch becomes now, with a logged line, and the counter stays at its maximum.
class LaunchManager {
public:
    // Records the first launch when none is stored and registers the counters' defaults.
    static std::shared_ptr<LaunchManager> create(std::string defaultsKeyRoot, std::vector<LaunchListItem> launchList,
        std::shared_ptr<DefaultsStorageAPI> defaultsStorageAPI, std::shared_ptr<DateProviderAPI> dateProviderAPI);

    // Runs the tasks whose trigger holds, in list order, then counts this launch. Once per run.
    void doIt();

    const std::string& defaultsKeyRoot() const { return m_defaultsKeyRoot; }
    const std::shared_ptr<DefaultsStorageAPI>& defaultsStorageAPI() const { return m_defaultsStorageAPI; }
    std::string firstLaunchKey() const { return m_defaultsKeyRoot + "FirstLaunch"; }
    std::string launchCounterKey() const { return m_defaultsKeyRoot + "LaunchCounter"; }
    std::string lastExecutedLaunchDayKey() const { return m_defaultsKeyRoot + "LastExecutedLaunchDay"; }

private:
    LaunchManager(std::string defaultsKeyRoot, std::vector<LaunchListItem> launchList,
        std::shared_ptr<DefaultsStorageAPI> defaultsStorageAPI, std::shared_ptr<DateProviderAPI> dateProviderAPI);
    int64_t launchDay(double now);
    bool shouldRun(const LaunchTrigger& trigger, int64_t day, int64_t lastDay);

    std::string m_defaultsKeyRoot;
    std::vector<LaunchListItem> m_launchList;
    std::shared_ptr<DefaultsStorageAPI> m_defaultsStorageAPI;
    std::shared_ptr<DateProviderAPI> m_dateProviderAPI;
};

// The whole days from `first` to `now`, rounded down; none when that is no number or does
// not fit a 64-bit integer.
std::optional<int64_t> wholeDaysBetween(double first, double now);

// One more launch without leaving the integer range: a counter at its maximum stays there.
int64_t countedOnce(int64_t counter);

}
