#pragma once

#include <functional>
#include <memory>
#include <string>

namespace ostrel {

class RawDataSet;
class RawTimeSlice;
class StatisticsManager;
struct StatisticsFacts;

// One chart page's numbers: computed from a data set, then rendered as the complete page.
// The manager makes a new one for every computation.
class Statistic {
public:
    virtual ~Statistic() = default;

    // Nothing for no set.
    virtual void computeStatistic(const RawDataSet* dataSet);
    virtual bool noDataToShow() const { return false; }
    virtual std::string render() const { return "<empty>"; }

    bool supportsTagBasedFiltering() const { return m_supportsTagBasedFiltering; }
    bool supportsTimeBasedFiltering() const { return m_supportsTimeBasedFiltering; }
    // The manager that made this statistic, asked about every record; none counts everything.
    const std::shared_ptr<StatisticsManager>& statisticsManager() const { return m_statisticsManager; }
    void setStatisticsManager(std::shared_ptr<StatisticsManager> manager) { m_statisticsManager = std::move(manager); }
    // The manager's filters as they were when the computation was asked for: once set, every
    // record is tested with them rather than asked of the manager.
    void setFilter(std::function<bool(const StatisticsFacts&)> filter) { m_filter = std::move(filter); }

protected:
    bool counts(const RawTimeSlice& timeSlice) const;
    // The same, judged from the facts where the manager can (most filters can), from the
    // record itself otherwise.
    bool counts(const StatisticsFacts& facts) const;

    bool m_supportsTagBasedFiltering { false };
    bool m_supportsTimeBasedFiltering { false };
    std::shared_ptr<StatisticsManager> m_statisticsManager;
    std::function<bool(const StatisticsFacts&)> m_filter;
};

}
