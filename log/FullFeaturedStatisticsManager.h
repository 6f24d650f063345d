#pragma once

#include "log/StatisticsManager.h"
#include "log/StringToDateTransformer.h"

#include <optional>
#include <string>
#include <vector>

namespace ostrel {

class TagManager;

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
    TagManager& tagManager() const;

    const std::optional<std::vector<std::string>>& cachedTagArray() const { return m_cachedTagArray; }
    std::optional<double> cachedStartDate() const { return m_cachedStartDate; }
    std::optional<double> cachedEndDate() const { return m_cachedEndDate; }
    bool cachedShouldFilterDates() const { return m_cachedShouldFilterDates; }
    bool cachedShouldFilterTags() const { return m_cachedShouldFilterTags; }
    bool cachedFiltering() const { return m_cachedFiltering; }

private:
    FullFeaturedStatisticsManager() = default;

    std::optional<std::vector<std::string>> m_cachedTagArray;
    std::optional<double> m_cachedStartDate;
    std::optional<double> m_cachedEndDate;
    bool m_cachedShouldFilterDates { false };
    bool m_cachedShouldFilterTags { false };
    bool m_cachedFiltering { false };
    // Reads the custom range's day texts as the date pickers write them.
    StringToDateTransformer m_stringToDateTransformer;
};

}
