#pragma once

#include "log/ConcentrationLevel.h"
#include "log/Statistic.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace ostrel {

// Minutes worked per focus level on each of the last 7, 14 or 28 days, as stacked bars.
// The date filter does not apply: the window is the days themselves.
class ModernOverviewStatistic : public Statistic {
public:
    ModernOverviewStatistic();

    void computeStatistic(const RawDataSet* dataSet) override;
    std::string render() const override;
    // The variable definitions the page draws from.
    std::string dataScript() const;

    int duration() const { return m_duration; }
    void setDuration(int duration) { m_duration = duration; }
    bool useMinutesYAxis() const { return m_useMinutesYAxis; }
    // Minutes per level of one "yyyy-MM-dd" day, when it has an entry.
    const LevelValues* minutesOn(const std::string& day) const;

private:
    std::vector<std::string> shownDays() const;

    std::unordered_map<std::string, LevelValues> m_dataByDayString;
    int m_duration { 7 };
    bool m_useMinutesYAxis { true };
};

}
