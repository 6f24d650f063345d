#include "log/Statistic.h"

#include "log/StatisticsManager.h"

namespace ostrel {

void Statistic::computeStatistic(const RawDataSet*) { }

bool Statistic::counts(const RawTimeSlice& timeSlice) const
{
    return !m_statisticsManager || m_statisticsManager->timeSliceMatchesFilterCriteria(timeSlice);
}

}
