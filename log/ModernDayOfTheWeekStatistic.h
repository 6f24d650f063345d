#pragma once

#include "log/ConcentrationLevel.h"
#include "log/Statistic.h"

#include <array>
#include <optional>
#include <string>

namespace ostrel {

// How the work started on each weekday splits between the focus levels, in percent,
// Monday at the top of the chart.
class ModernDayOfTheWeekStatistic : public Statistic {
public:
    ModernDayOfTheWeekStatistic();

    void computeStatistic(const RawDataSet* dataSet) override;
    std::string render() const override;
    std::string dataScript() const;

    // By weekday number, 1 = Sunday to 7 = Saturday.
    const std::optional<LevelValues>& dataOn(int weekday) const { return m_dataByDayOfTheWeek.at(size_t(weekday - 1)); }
    double totalOn(int weekday) const { return m_totalAcrossAllConcentrationLevelsForDayOfTheWeek.at(size_t(weekday - 1)); }

    static const std::array<const char*, 7>& weekDayNameArray();

private:
    std::array<double, 7> m_totalAcrossAllConcentrationLevelsForDayOfTheWeek {};
    std::array<std::optional<LevelValues>, 7> m_dataByDayOfTheWeek;
};

}
