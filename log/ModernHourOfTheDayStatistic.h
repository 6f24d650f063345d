#pragma once

#include "log/ConcentrationLevel.h"
#include "log/Statistic.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace ostrel {

// How the work started in each hour of the day splits between the focus levels, in
// percent. Hours outside 8 am to 5 pm with less than an hour of work are left out.
class ModernHourOfTheDayStatistic : public Statistic {
public:
    ModernHourOfTheDayStatistic();

    void computeStatistic(const RawDataSet* dataSet) override;
    std::string render() const override;
    std::string dataScript() const;

    // The kept hours (0 to 23), earliest first, and their bar names.
    const std::vector<int>& keysForIteration() const { return m_keysForIterationArray; }
    const std::vector<std::string>& labelsForHoursOfDay() const { return m_labelsForHoursOfDayArray; }
    // Percent per level of one hour, when a known level was counted there.
    const std::optional<LevelValues>& dataAt(int hour) const { return m_dataByHourOfTheDay.at(size_t(hour)); }
    double totalAt(int hour) const { return m_totalAcrossAllConcentrationLevelsForHourOfTheDay.at(size_t(hour)); }

    static std::string labelForHour(int hour);

private:
    void add(double duration, std::optional<ConcentrationLevel> level, int hour);

    std::vector<std::string> m_labelsForHoursOfDayArray;
    std::vector<int> m_keysForIterationArray;
    std::array<double, 24> m_totalAcrossAllConcentrationLevelsForHourOfTheDay {};
    std::array<std::optional<LevelValues>, 24> m_dataByHourOfTheDay;
};

}
