#include "shell/LaunchManager.h"

#include "core/DefaultsStorage.h"
#include "shell/DateProvider.h"

#include "platform/base/Diagnostics.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace ostrel {

namespace {
constexpr double kSecondsPerDay = 60.0 * 60.0 * 24.0;
}

std::optional<int64_t> wholeDaysBetween(double first, double now)
{
    double days = std::floor((now - first) / kSecondsPerDay);
    // 2^63 itself is one past the largest int64; -2^63 is the smallest.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(days) || days >= limit || days < -limit)
        return std::nullopt;
    return static_cast<int64_t>(days);
}

int64_t countedOnce(int64_t counter)
{
    return counter == std::numeric_limits<int64_t>::max() ? counter : counter + 1;
}

std::shared_ptr<LaunchManager> LaunchManager::create(std::string defaultsKeyRoot, std::vector<LaunchListItem> launchList,
    std::shared_ptr<DefaultsStorageAPI> defaultsStorageAPI, std::shared_ptr<DateProviderAPI> dateProviderAPI)
{
    return std::shared_ptr<LaunchManager>(new LaunchManager(std::move(defaultsKeyRoot), std::move(launchList),
        std::move(defaultsStorageAPI), std::move(dateProviderAPI)));
}

LaunchManager::LaunchManager(std::string defaultsKeyRoot, std::vector<LaunchListItem> launchList,
    std::shared_ptr<DefaultsStorageAPI> defaultsStorageAPI, std::shared_ptr<DateProviderAPI> dateProviderAPI)
    : m_defaultsKeyRoot(std::move(defaultsKeyRoot))
    , m_launchList(std::move(launchList))
    , m_defaultsStorageAPI(std::move(defaultsStorageAPI))
    , m_dateProviderAPI(std::move(dateProviderAPI))
{
    auto& storage = *m_defaultsStorageAPI;
    // An unset first launch reads 0 from the settings (the in-memory twin answers -1 for it).
    if (!storage.defined(firstLaunchKey()) || storage.getTimeInterval(firstLaunchKey()) == 0)
        storage.store(m_dateProviderAPI->currentTimeIntervalFromReferenceDate(), firstLaunchKey());
    storage.registerDefault(0, launchCounterKey());
    storage.registerDefault(-1, lastExecutedLaunchDayKey());
}

int64_t LaunchManager::launchDay(double now)
{
    double first = m_defaultsStorageAPI->getTimeInterval(firstLaunchKey());
    if (auto day = wholeDaysBetween(first, now))
        return *day;
    // Only a damaged settings file gets here; counting from now keeps every task reachable.
    char line[200];
    std::snprintf(line, sizeof line, "launch manager: no day can be counted from the first launch %g under %s; the first launch is now",
        first, firstLaunchKey().c_str());
    base::diagnostic(line);
    m_defaultsStorageAPI->store(now, firstLaunchKey());
    return 0;
}

bool LaunchManager::shouldRun(const LaunchTrigger& trigger, int64_t day, int64_t lastDay)
{
    auto& storage = *m_defaultsStorageAPI;
    switch (trigger.kind) {
    case LaunchTrigger::Kind::afterDays:
        return day == trigger.days && lastDay != day;
    case LaunchTrigger::Kind::afterLaunches:
        return storage.getInteger(launchCounterKey()) == trigger.launches;
    case LaunchTrigger::Kind::untilDefaultsKeyIsSet:
        if (storage.defined(trigger.defaultsKey))
            return false;
        storage.store(true, trigger.defaultsKey);
        return true;
    case LaunchTrigger::Kind::firstLaunch:
        return storage.getInteger(launchCounterKey()) == 0;
    case LaunchTrigger::Kind::everyTime:
        return true;
    }
    return false;
}

void LaunchManager::doIt()
{
    double now = m_dateProviderAPI->currentTimeIntervalFromReferenceDate();
    int64_t day = launchDay(now);
    auto& storage = *m_defaultsStorageAPI;
    int64_t lastDay = storage.getInteger(lastExecutedLaunchDayKey());
    for (const auto& item : m_launchList) {
        if (shouldRun(item.trigger, day, lastDay) && item.function)
            item.function();
    }
    storage.store(countedOnce(storage.getInteger(launchCounterKey())), launchCounterKey());
    storage.store(day, lastExecutedLaunchDayKey());
}

}
