#include "log/ModernOverviewStatistic.h"

#include "core/DateHelper.h"
#include "log/ChartPage.h"
#include "log/RawDataSet.h"

#include <cstdio>

namespace ostrel {

namespace {
const char* const kWeekdayNames[] = { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday" };
}

ModernOverviewStatistic::ModernOverviewStatistic()
{
    m_supportsTimeBasedFiltering = false;
    m_supportsTagBasedFiltering = true;
}

void ModernOverviewStatistic::computeStatistic(const RawDataSet* dataSet)
{
    if (!dataSet)
        return;
    // Records come newest first: a day's slices mostly follow one another, and the day
    // found for the last one is the day of the next.
    LevelValues* day = nullptr;
    std::optional<std::int32_t> dayNumber;
    for (const auto& facts : dataSet->statisticsFacts()) {
        if (!counts(facts))
            continue;
        if (facts.focusLevel < 0)
            continue;
        double minutes = facts.actualDuration > 0 ? facts.actualDuration / 60 : 0;
        if (dayNumber != facts.day) {
            dayNumber = facts.day;
            day = &m_dataByDayString[facts.record->dayString()];
        }
        (*day)[ConcentrationLevel(facts.focusLevel)] += minutes;
    }
    for (const auto& day : shownDays()) {
        auto found = m_dataByDayString.find(day);
        if (found != m_dataByDayString.end() && found->second.sum() > 60.0)
            m_useMinutesYAxis = false;
    }
}

const LevelValues* ModernOverviewStatistic::minutesOn(const std::string& day) const
{
    auto found = m_dataByDayString.find(day);
    return found == m_dataByDayString.end() ? nullptr : &found->second;
}

std::vector<std::string> ModernOverviewStatistic::shownDays() const
{
    return DateHelper::sharedHelper().lastDays(m_duration - 1);
}

std::string ModernOverviewStatistic::dataScript() const
{
    auto days = shownDays();
    std::string script;
    for (auto level : sequence) {
        std::vector<double> minutes;
        for (const auto& day : days) {
            auto values = minutesOn(day);
            minutes.push_back(values ? (*values)[level] : 0.0);
        }
        script += ChartPage::seriesLine(level, minutes);
    }
    std::vector<std::string> labels;
    auto& helper = DateHelper::sharedHelper();
    for (const auto& day : days) {
        int weekday = helper.dayOfTheWeek(helper.dateFromString(day));
        labels.push_back(weekday >= 1 && weekday <= 7 ? kWeekdayNames[weekday - 1] : "");
    }
    script += "var labels = " + ChartPage::asJavaScriptSource(labels) + ";\n";
    double width = m_duration == 7 ? 7.0 : m_duration == 14 ? 4.0 : m_duration == 28 ? 2.0 : 1.0;
    char barWidth[32];
    std::snprintf(barWidth, sizeof barWidth, "%.1f", width);
    script += std::string("var barWidth = '") + barWidth + "%';";
    script += std::string("var $use_minutes_y_axis = ") + (m_useMinutesYAxis ? "true" : "false") + ";";
    return script;
}

std::string ModernOverviewStatistic::render() const { return ChartPage::overviewPage(dataScript()); }

}
