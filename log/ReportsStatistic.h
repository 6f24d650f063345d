#pragma once

#include "log/Statistic.h"

#include <cstdint>
#include <unordered_set>
#include <string>

namespace ostrel {

// The filtered log summed up: hours worked, slices, distinct days and the share of the
// worked time at each focus level.
class ReportsStatistic : public Statistic {
public:
    ReportsStatistic();

    void computeStatistic(const RawDataSet* dataSet) override;
    std::string render() const override;
    std::string dataScript() const;

    long long timeslices() const { return m_timeslices; }
    double totalTime() const { return m_totalTime; }
    size_t workedOnDays() const { return m_workedOnDays.size(); }

private:
    long long m_timeslices { 0 };
    double m_totalTime { 0 };
    double m_highlyConcentratedTime { 0 };
    double m_flowTime { 0 };
    double m_distractedTime { 0 };
    double m_goodTime { 0 };
    // The days as RawTimeSlice::dayNumber() counts them: one for each day text.
    std::unordered_set<std::int32_t> m_workedOnDays;
};

// Wraps a report's data script in its page.
class ReportsStatisticHelper {
public:
    static std::string renderOutputString(const std::string& dataScript);
};

}
