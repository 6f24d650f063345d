#pragma once

#include "log/StatisticsManager.h"
#include "log/StringToDateTransformer.h"

#include <optional>
#include <string>
#include <vector>

namespace ostrel {

class TagManager;

// The filters in force for one computation: a value, so that a statistic computed away from
// the main thread keeps the ones it started with while the settings change.
struct StatisticsFilterCriteria {
    std::optional<std::vector<std::string>> tagArray;
    std::optional<double> startDate;
    std::optional<double> endDate;
    bool shouldFilterDates { false };
    bool shouldFilterTags { false };
    bool filtering { false };

    bool matches(const RawTimeSlice& timeSlice) const;
    // None when only the record's tags can tell.
    std::optional<bool> matches(const StatisticsFacts& facts) const;
};

// The statistics manager the program makes: the choice of statistic, the date and tag
// filters, and the shared instance.
class FullFeaturedStatisticsManager final : public StatisticsManager {
public:
    static std::shared_ptr<FullFeaturedStatisticsManager> create();
    // The manager that last woke; made and woken here when none has yet, which stands in for
    // the statistics view until it exists.
    static std::shared_ptr<FullFeaturedStatisticsManager> sharedInstance();
    // For tests: forget the shared instance.
    static void resetSharedInstance();

    void awakeFromNib() override;
    std::vector<std::string> additionalKeyPathsToObserve() const override;
    // Overview for 0, 5 and 6 (7, 14 and 28 days), weekdays for 1, hours for 3, the report
    // for 4; any other stored value shows the 7-day overview.
    std::shared_ptr<Statistic> getCurrentStatistic() override;
    void configureFiltersPreFlight() override;
    bool timeSliceMatchesFilterCriteria(const RawTimeSlice& timeSlice) const override;
    std::optional<bool> factsMatchFilterCriteria(const StatisticsFacts& facts) const override;
    TagManager& tagManager() const;

    FactsFilter filterSnapshot() const override;

    const std::optional<std::vector<std::string>>& cachedTagArray() const { return m_cached.tagArray; }
    std::optional<double> cachedStartDate() const { return m_cached.startDate; }
    std::optional<double> cachedEndDate() const { return m_cached.endDate; }
    bool cachedShouldFilterDates() const { return m_cached.shouldFilterDates; }
    bool cachedShouldFilterTags() const { return m_cached.shouldFilterTags; }
    bool cachedFiltering() const { return m_cached.filtering; }

private:
    FullFeaturedStatisticsManager() = default;

    StatisticsFilterCriteria m_cached;
    // Reads the custom range's day texts as the date pickers write them.
    StringToDateTransformer m_stringToDateTransformer;
};

}
