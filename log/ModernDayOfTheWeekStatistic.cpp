#include "log/ModernDayOfTheWeekStatistic.h"

#include "core/DateHelper.h"
#include "core/ZrLog.h"
#include "log/ChartPage.h"
#include "log/RawDataSet.h"

namespace ostrel {

ModernDayOfTheWeekStatistic::ModernDayOfTheWeekStatistic()
{
    m_supportsTimeBasedFiltering = true;
    m_supportsTagBasedFiltering = true;
}

const std::array<const char*, 7>& ModernDayOfTheWeekStatistic::weekDayNameArray()
{
    static const std::array<const char*, 7> names { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
        "Saturday" };
    return names;
}

void ModernDayOfTheWeekStatistic::computeStatistic(const RawDataSet* dataSet)
{
    if (dataSet) {
        for (const auto& facts : dataSet->statisticsFacts()) {
            if (!counts(facts))
                continue;
            int weekday = facts.weekday;
            if (weekday < 1 || weekday > 7)
                continue;
            size_t key = size_t(weekday - 1);
            if (facts.focusLevel >= 0) {
                auto& entry = m_dataByDayOfTheWeek[key];
                if (!entry)
                    entry = LevelValues {};
                (*entry)[ConcentrationLevel(facts.focusLevel)] += facts.actualDuration;
            }
            m_totalAcrossAllConcentrationLevelsForDayOfTheWeek[key] += facts.actualDuration;
        }
    }
    for (size_t key = 0; key < 7; ++key) {
        auto& entry = m_dataByDayOfTheWeek[key];
        if (!entry)
            continue;
        double total = m_totalAcrossAllConcentrationLevelsForDayOfTheWeek[key];
        for (auto level : sequence) {
            zr_log("duration at level %s for %s: %f", std::string(rawValue(level)).c_str(), weekDayNameArray()[key],
                (*entry)[level]);
            (*entry)[level] = total > 0 ? (*entry)[level] / total * 100 : 0.0;
        }
    }
}

std::string ModernDayOfTheWeekStatistic::dataScript() const
{
    std::string script;
    for (auto level : sequence) {
        std::vector<double> percents;
        // Sunday first, Monday last: the chart draws the first bar at the bottom.
        for (int key : { 0, 6, 5, 4, 3, 2, 1 }) {
            auto& entry = m_dataByDayOfTheWeek[size_t(key)];
            percents.push_back(entry ? (*entry)[level] : 0.0);
        }
        script += ChartPage::seriesLine(level, percents);
    }
    script += "\n";
    script += "var labels = ['Sunday', 'Saturday', 'Friday', 'Thursday', 'Wednesday', 'Tuesday', 'Monday' ];\n";
    script += "var barWidth = '8%';";
    return script;
}

std::string ModernDayOfTheWeekStatistic::render() const { return ChartPage::dayOfTheWeekPage(dataScript()); }

}
