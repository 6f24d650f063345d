#include "log/FullFeaturedStatisticsManager.h"

#include "core/Clock.h"
#include "core/DateHelper.h"
#include "core/ZrLog.h"
#include "log/ModernDayOfTheWeekStatistic.h"
#include "log/ModernHourOfTheDayStatistic.h"
#include "log/ModernOverviewStatistic.h"
#include "log/RawTimeSlice.h"
#include "log/RawDataSet.h"
#include "log/ReportsStatistic.h"
#include "log/StringToTokenArrayTransformer.h"
#include "log/TagManager.h"
#include "platform/base/Defaults.h"
#include "platform/base/Time.h"

namespace ostrel {

namespace {
std::shared_ptr<FullFeaturedStatisticsManager>& sharedSlot()
{
    static std::shared_ptr<FullFeaturedStatisticsManager> manager;
    return manager;
}

std::string describe(std::optional<double> date)
{
    return date ? DateHelper::sharedHelper().formattedDate(*date) + " " + DateHelper::sharedHelper().formattedTime(*date)
                : "(none)";
}
}

std::shared_ptr<FullFeaturedStatisticsManager> FullFeaturedStatisticsManager::create()
{
    return std::shared_ptr<FullFeaturedStatisticsManager>(new FullFeaturedStatisticsManager);
}

std::shared_ptr<FullFeaturedStatisticsManager> FullFeaturedStatisticsManager::sharedInstance()
{
    if (!sharedSlot())
        create()->awakeFromNib();
    return sharedSlot();
}

void FullFeaturedStatisticsManager::resetSharedInstance() { sharedSlot().reset(); }

void FullFeaturedStatisticsManager::awakeFromNib()
{
    sharedSlot() = std::static_pointer_cast<FullFeaturedStatisticsManager>(shared_from_this());
    StatisticsManager::awakeFromNib();
}

std::vector<std::string> FullFeaturedStatisticsManager::additionalKeyPathsToObserve() const
{
    auto keys = StatisticsManager::additionalKeyPathsToObserve();
    for (const char* key : { "tagFilter", "statsRadioButtonChoice", "statsDateMode", "statsFromDate", "statsToDate", "filtering" })
        keys.push_back(key);
    return keys;
}

std::shared_ptr<Statistic> FullFeaturedStatisticsManager::getCurrentStatistic()
{
    std::shared_ptr<Statistic> statistic;
    auto overview = [](int days) {
        auto statistic = std::make_shared<ModernOverviewStatistic>();
        statistic->setDuration(days);
        return statistic;
    };
    switch (base::Defaults::standard()->integer(currentlyDisplayedStatisticKey())) {
    case 1:
        statistic = std::make_shared<ModernDayOfTheWeekStatistic>();
        break;
    case 3:
        statistic = std::make_shared<ModernHourOfTheDayStatistic>();
        break;
    case 4:
        statistic = std::make_shared<ReportsStatistic>();
        break;
    case 5:
        statistic = overview(14);
        break;
    case 6:
        statistic = overview(28);
        break;
    default:
        // 0, and whatever else a settings file may hold: a page rather than none.
        statistic = overview(7);
        break;
    }
    statistic->setStatisticsManager(shared_from_this());
    return statistic;
}

void FullFeaturedStatisticsManager::configureFiltersPreFlight()
{
    zr_log("-- Filter Options --");
    m_cached = {};

    auto defaults = base::Defaults::standard();
    m_cached.filtering = defaults->boolean("filtering");
    auto statistic = getCurrentStatistic();

    if (statistic->supportsTagBasedFiltering()) {
        m_cached.shouldFilterTags = true;
        auto tagFilter = defaults->string("tagFilter");
        m_cached.tagArray = StringToTokenArrayTransformer::tokens(tagFilter);
        zr_log("tags: %s", tagFilter.value_or("").c_str());
    }

    if (statistic->supportsTimeBasedFiltering()) {
        m_cached.shouldFilterDates = true;
        auto& helper = DateHelper::sharedHelper();
        if (defaults->integer("statsRadioButtonChoice") != 0) {
            auto day = [&](const char* key) -> std::optional<double> {
                auto stored = defaults->object(key);
                auto date = stored ? m_stringToDateTransformer.transformedValue(*stored) : base::Value();
                return date.asDate() ? std::optional<double>(date.asDate()->seconds) : std::nullopt;
            };
            m_cached.startDate = day("statsFromDate");
            m_cached.endDate = day("statsToDate");
        } else {
            double now = Clock::now();
            double today = helper.dateWithoutTime(now);
            double weekStart = helper.beginningOfTheWeek(now);
            switch (defaults->integer("statsDateMode")) {
            case 0:
                m_cached.startDate = base::Time::distantPast();
                m_cached.endDate = now;
                break;
            case 1:
                m_cached.startDate = today;
                m_cached.endDate = helper.addDaysToDate(1, today);
                break;
            case 2:
                m_cached.startDate = helper.addDaysToDate(-1, today);
                m_cached.endDate = today;
                break;
            case 3:
                m_cached.startDate = weekStart;
                m_cached.endDate = now;
                break;
            case 4:
                m_cached.startDate = helper.addDaysToDate(-7, today);
                m_cached.endDate = today;
                break;
            case 5:
                m_cached.startDate = helper.addDaysToDate(-7, weekStart);
                m_cached.endDate = weekStart;
                break;
            case 6:
                m_cached.startDate = helper.beginningOfTheMonth(now);
                m_cached.endDate = now;
                break;
            case 7:
                m_cached.startDate = helper.addDaysToDate(-30, today);
                m_cached.endDate = today;
                break;
            default:
                break;
            }
        }
        zr_log("from: %s", describe(m_cached.startDate).c_str());
        zr_log("to: %s", describe(m_cached.endDate).c_str());
    }
    zr_log("----");
}

bool StatisticsFilterCriteria::matches(const RawTimeSlice& timeSlice) const
{
    if (!filtering)
        return true;
    if (shouldFilterDates && !(timeSlice.beginsBefore(endDate) && timeSlice.beginsAfter(startDate)))
        return false;
    static const std::vector<std::string> noTags;
    if (shouldFilterTags && !timeSlice.matchesTagFilter(tagArray ? *tagArray : noTags))
        return false;
    return true;
}

std::optional<bool> StatisticsFilterCriteria::matches(const StatisticsFacts& facts) const
{
    if (!filtering)
        return true;
    // As the record's own beginsBefore and beginsAfter answer.
    if (shouldFilterDates && !((!endDate || facts.startDate < *endDate) && (!startDate || *startDate - facts.startDate <= 0)))
        return false;
    if (shouldFilterTags && tagArray && !tagArray->empty())
        return facts.hasTags ? std::nullopt : std::optional<bool>(false);
    return true;
}

bool FullFeaturedStatisticsManager::timeSliceMatchesFilterCriteria(const RawTimeSlice& timeSlice) const
{
    return m_cached.matches(timeSlice);
}

std::optional<bool> FullFeaturedStatisticsManager::factsMatchFilterCriteria(const StatisticsFacts& facts) const
{
    return m_cached.matches(facts);
}

StatisticsManager::FactsFilter FullFeaturedStatisticsManager::filterSnapshot() const
{
    return [criteria = m_cached](const StatisticsFacts& facts) {
        auto judged = criteria.matches(facts);
        return judged ? *judged : criteria.matches(*facts.record);
    };
}

TagManager& FullFeaturedStatisticsManager::tagManager() const { return TagManager::sharedInstance(); }

}
