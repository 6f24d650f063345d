#include "log/ReportsStatistic.h"

#include "core/DateHelper.h"
#include "log/ChartPage.h"
#include "log/RawDataSet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace ostrel {

namespace {
std::string formatted(const char* format, auto... values)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

int64_t wholeSeconds(double seconds)
{
    if (!std::isfinite(seconds))
        return 0;
    constexpr double limit = double(std::numeric_limits<int32_t>::max()) * 3600;
    return int64_t(std::clamp(seconds, -limit, limit));
}
}

ReportsStatistic::ReportsStatistic()
{
    m_supportsTagBasedFiltering = true;
    m_supportsTimeBasedFiltering = true;
}

void ReportsStatistic::computeStatistic(const RawDataSet* dataSet)
{
    if (!dataSet)
        return;
    std::optional<std::int32_t> lastDay;
    for (const auto& facts : dataSet->statisticsFacts()) {
        if (!counts(facts))
            continue;
        ++m_timeslices;
        double duration = facts.actualDuration;
        m_totalTime += duration;
        auto level = facts.focusLevel >= 0 ? std::optional(ConcentrationLevel(facts.focusLevel)) : std::nullopt;
        if (level == ConcentrationLevel::distracted)
            m_distractedTime += duration;
        else if (level == ConcentrationLevel::experiencedFlow)
            m_flowTime += duration;
        else if (level == ConcentrationLevel::highlyFocused)
            m_highlyConcentratedTime += duration;
        else
            m_goodTime += duration;
        // Records come newest first, so a day's slices mostly follow one another.
        if (lastDay != facts.day) {
            m_workedOnDays.insert(facts.day);
            lastDay = facts.day;
        }
    }
}

std::string ReportsStatistic::dataScript() const
{
    float sum = float(m_distractedTime + m_goodTime + m_flowTime + m_highlyConcentratedTime);
    // With no time counted every share is 0, not 0 divided by 0.
    auto percentage = [sum](double time) {
        if (!(sum != 0) || !std::isfinite(sum))
            return 0.0f;
        // Negative durations from a damaged log can push a share far out of range.
        double share = std::clamp(std::floor(time / double(sum) * 100), -1e9, 1e9);
        return std::isfinite(share) ? float(share) : 0.0f;
    };
    float distracted = percentage(m_distractedTime);
    float good = percentage(m_goodTime);
    float flow = percentage(m_flowTime);
    float highlyConcentrated = percentage(m_highlyConcentratedTime);

    std::string script;
    script += "var $time = \"" + DateHelper::sharedHelper().formatNumberOfSecondsAsHoursAndMinutes(wholeSeconds(m_totalTime))
        + "\";\n";
    script += formatted("var $timeslice_value = %lld;\n", m_timeslices);
    script += formatted("var $days_value = %zu;\n", m_workedOnDays.size());
    script += formatted("var $distracted = %f;\n", double(distracted));
    script += formatted("var $good = %f;\n", double(good));
    script += formatted("var $flow = %f;\n", double(flow));
    script += formatted("var $highlyConcentrated = %f;\n", double(highlyConcentrated));
    script += formatted("var $labels = ['%d%%','%d%%','%d%%','%d%%'];\n", int(flow), int(highlyConcentrated), int(good),
        int(distracted));
    return script;
}

std::string ReportsStatistic::render() const { return ReportsStatisticHelper::renderOutputString(dataScript()); }

std::string ReportsStatisticHelper::renderOutputString(const std::string& dataScript)
{
    return ChartPage::reportPage(dataScript);
}

}
