#include "log/Statistic.h"

#include "log/RawDataSet.h"
#include "log/StatisticsManager.h"

namespace ostrel {

void Statistic::computeStatistic(const RawDataSet*) { }

bool Statistic::counts(const RawTimeSlice& timeSlice) const
{
    if (m_filter)
        return m_filter(StatisticsFacts::of(timeSlice));
    return !m_statisticsManager || m_statisticsManager->timeSliceMatchesFilterCriteria(timeSlice);
}

bool Statistic::counts(const StatisticsFacts& facts) const
{
    if (m_filter)
        return m_filter(facts);
    if (!m_statisticsManager)
        return true;
    if (auto judged = m_statisticsManager->factsMatchFilterCriteria(facts))
        return *judged;
    return m_statisticsManager->timeSliceMatchesFilterCriteria(*facts.record);
}

}
