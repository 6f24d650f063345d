#include "log/ModernHourOfTheDayStatistic.h"

#include "core/DateHelper.h"
#include "core/ZrLog.h"
#include "log/ChartPage.h"
#include "log/RawDataSet.h"

namespace ostrel {

ModernHourOfTheDayStatistic::ModernHourOfTheDayStatistic()
{
    m_supportsTagBasedFiltering = true;
    m_supportsTimeBasedFiltering = true;
    for (int hour = 0; hour < 24; ++hour) {
        m_labelsForHoursOfDayArray.push_back(labelForHour(hour));
        m_keysForIterationArray.push_back(hour);
    }
}

std::string ModernHourOfTheDayStatistic::labelForHour(int hour)
{
    if (hour == 0)
        return "midnight";
    if (hour == 12)
        return "noon";
    return hour < 12 ? std::to_string(hour) + " am" : std::to_string(hour - 12) + " pm";
}

void ModernHourOfTheDayStatistic::add(double duration, std::optional<ConcentrationLevel> level, int hour)
{
    if (level) {
        auto& entry = m_dataByHourOfTheDay[size_t(hour)];
        if (!entry)
            entry = LevelValues {};
        (*entry)[*level] += duration;
    }
    m_totalAcrossAllConcentrationLevelsForHourOfTheDay[size_t(hour)] += duration;
}

void ModernHourOfTheDayStatistic::computeStatistic(const RawDataSet* dataSet)
{
    if (dataSet) {
        for (const auto& facts : dataSet->statisticsFacts()) {
            if (!counts(facts))
                continue;
            int hour = facts.hour;
            if (hour < 0 || hour > 23)
                continue;
            add(facts.actualDuration, facts.focusLevel >= 0 ? std::optional(ConcentrationLevel(facts.focusLevel)) : std::nullopt,
                hour);
        }
    }
    if (zr_logIsOn()) {
        std::string map;
        for (int hour = 0; hour < 24; ++hour) {
            if (auto& entry = m_dataByHourOfTheDay[size_t(hour)])
                map += " " + std::to_string(hour) + ": " + ChartPage::numberList({ entry->values.begin(), entry->values.end() });
        }
        zr_log("before making percents: %s", map.c_str());
    }
    for (int hour : m_keysForIterationArray) {
        auto& entry = m_dataByHourOfTheDay[size_t(hour)];
        if (!entry)
            continue;
        double total = m_totalAcrossAllConcentrationLevelsForHourOfTheDay[size_t(hour)];
        for (auto level : sequence)
            (*entry)[level] = total > 0 ? (*entry)[level] / total * 100 : 0.0;
    }
    for (size_t index = m_keysForIterationArray.size(); index-- > 0;) {
        int hour = m_keysForIterationArray[index];
        bool workingDay = hour >= 8 && hour <= 17;
        if (!workingDay && m_totalAcrossAllConcentrationLevelsForHourOfTheDay[size_t(hour)] < 3600.0) {
            m_keysForIterationArray.erase(m_keysForIterationArray.begin() + std::ptrdiff_t(index));
            m_labelsForHoursOfDayArray.erase(m_labelsForHoursOfDayArray.begin() + std::ptrdiff_t(index));
        }
    }
}

std::string ModernHourOfTheDayStatistic::dataScript() const
{
    std::string script;
    for (auto level : sequence) {
        std::vector<double> percents;
        for (auto hour = m_keysForIterationArray.rbegin(); hour != m_keysForIterationArray.rend(); ++hour) {
            auto& entry = m_dataByHourOfTheDay[size_t(*hour)];
            percents.push_back(entry ? (*entry)[level] : 0.0);
        }
        script += ChartPage::seriesLine(level, percents);
    }
    script += "\n";
    std::vector<std::string> labels(m_labelsForHoursOfDayArray.rbegin(), m_labelsForHoursOfDayArray.rend());
    script += "var labels = " + ChartPage::asJavaScriptSource(labels) + ";\n";
    script += "var barWidth = '2%';";
    return script;
}

std::string ModernHourOfTheDayStatistic::render() const { return ChartPage::hourOfTheDayPage(dataScript()); }

}
