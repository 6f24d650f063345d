#include "log/ChartPage.h"

#include <charconv>
#include <cmath>

namespace ostrel::ChartPage {

namespace {

const char* const kPrelude = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" "http://www.w3.org/TR/html4/strict.dtd">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8">
<link rel="stylesheet" type="text/css" href="vt/chartist.css">
<script type="text/javascript" src="chartist.min.js"></script>
<script type="text/javascript" src="vt/plugins/chartist-plugin-legend.js"></script>
<script language="javascript">
)";

const char* const kOverviewPrelude = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01//EN" "http://www.w3.org/TR/html4/strict.dtd">
<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8">

<link rel="stylesheet" type="text/css" href="vt/chartist.css">

<script type="text/javascript" src="chartist.min.js"></script>

<script type="text/javascript" src="vt/plugins/chartist-plugin-legend.js"></script>

<script language="javascript">
)";

// The look all four pages share; `solid` names the grid direction drawn solid.
std::string commonBody(const char* solid, const char* dashed, const char* extraStyle = "", const char* beforeChart = "")
{
    return std::string(R"(</script>
<style type="text/css">
body { background-color: #EADBC4; }
.ct-bar { stroke-opacity: 0.8; }
.ct-grid { stroke: rgba(0.1, 0.1, 0.1, 0.5); }
.ct-grid.)") + solid + R"( { stroke-dasharray: none; }
.ct-grid.)" + dashed + R"( { stroke-dasharray: 1px; }
)" + extraStyle + R"(</style>
<title></title>
</head>
<body oncontextmenu="return false;">
)" + beforeChart + R"(<div class="ct-chart ct-golden-section"></div>
<div id="legend"></div>
<script type="text/javascript">
var legend = Chartist.plugins.legend({
  legendNames: ['Achieved Flow', 'Highly Focused', 'Good', 'Distracted'],
  position: document.getElementById('legend')
});
)";
}

const char* const kPageEnd = R"(</script>
</body>
</html>
)";

const char* const kOverviewDrawing = R"(var series = [experiencedFlow, highlyFocused, good, distracted];
if (!$use_minutes_y_axis) {
  series = series.map(function (minutes) {
    return minutes.map(function (value, index) { return { key: index, value: value / 60 }; });
  });
}
var data = { labels: labels, series: series };
var numDays = experiencedFlow.length;
var full = function (label) { return label; };
var firstLetter = function (label) { return label.slice(0, 1); };
var twoLetters = function (label) { return label.slice(0, 2); };
var threeLetters = function (label) { return label.slice(0, 3); };
var someDays = function (label) {
  return { Monday: 'M', Wednesday: 'W', Friday: 'F' }[label] || '';
};
var labelsByWidth = { 7: [threeLetters, full, full], 14: [twoLetters, twoLetters, threeLetters],
  28: [someDays, firstLetter, twoLetters] }[numDays] || [firstLetter, twoLetters, threeLetters];
var axisY = $use_minutes_y_axis
  ? { onlyInteger: true, labelOffset: { x: 0, y: 5 }, position: 'start', offset: 40,
      type: Chartist.FixedScaleAxis, low: 0, high: 60, ticks: [0, 15, 30, 45, 60] }
  : { onlyInteger: true, labelOffset: { x: 0, y: 5 }, offset: 30,
      labelInterpolationFnc: function (value) { return value == 0 ? '' : value + ' h'; } };
var options = { stackBars: true, fullWidth: true, axisY: axisY, plugins: [legend] };
var responsiveOptions = [
  ['screen and (max-width: 2048px)', { axisX: { labelInterpolationFnc: labelsByWidth[2] } }],
  ['screen and (max-width: 800px)', { axisX: { labelInterpolationFnc: labelsByWidth[1] } }],
  ['screen and (max-width: 400px)', { axisX: { labelInterpolationFnc: labelsByWidth[0] }, axisY: { onlyInteger: true } }]
];
var chart = new Chartist.Bar('.ct-chart', data, options, responsiveOptions);
chart.on('draw', function (context) {
  if (context.type === 'bar')
    context.element.attr({ style: 'stroke-width: ' + barWidth });
});
)";

// The hour and weekday pages: horizontal stacked percentages, 0 to 100 in quarters.
std::string percentageDrawing(const char* responsiveOptions)
{
    return std::string(R"(var data = { labels: labels, series: [experiencedFlow, highlyFocused, good, distracted] };
var options = {
  stackBars: true,
  fullWidth: true,
  horizontalBars: true,
  axisY: { onlyInteger: true, position: 'start' },
  axisX: {
    onlyInteger: true, type: Chartist.FixedScaleAxis, low: 0, high: 100, ticks: [0, 25, 50, 75, 100],
    labelInterpolationFnc: function (value) { return (value == 0 || value == 100) ? '' : value + '%'; }
  },
  plugins: [legend]
};
var responsiveOptions = )") + responsiveOptions + R"(;
new Chartist.Bar('.ct-chart', data, options, responsiveOptions);
)";
}

const char* const kHourResponsive = R"([
  ['screen and (max-width: 2048px)', { seriesBarDistance: 10, axisY: { offset: 50 } }],
  ['screen and (max-width: 800px)', { seriesBarDistance: 5, axisY: { offset: 50 } }],
  ['screen and (max-width: 400px)', { seriesBarDistance: 5, axisY: { offset: 50 } }]
])";

const char* const kWeekdayResponsive = R"([
  ['screen and (max-width: 2048px)', { seriesBarDistance: 10,
    axisY: { offset: 60, labelInterpolationFnc: function (value) { return value; } } }],
  ['screen and (max-width: 800px)', { seriesBarDistance: 5,
    axisY: { offset: 20, labelInterpolationFnc: function (value) { return value.slice(0, 2); } } }],
  ['screen and (max-width: 400px)', { seriesBarDistance: 5,
    axisY: { offset: 20, labelInterpolationFnc: function (value) { return value.slice(0, 1); } } }]
])";

const char* const kReportStyle = R"(.ct-legend.ct-legend-inside { position: relative; }
#value_table { font-size: .75rem; color: rgba(0,0,0,0.4); padding-bottom: 10px; }
.label { color: rgba(0,0,0,0.4); }
.value { color: rgba(0,0,0,0.5); }
)";

const char* const kReportTable = R"(<table id="value_table" align="center">
<tr><td class="label">Hours:</td><td class="value" id="hours_placeholder"></td></tr>
<tr><td class="label">Time Slices:</td><td class="value" id="time_slices_placeholder"></td></tr>
<tr><td class="label">Distinct Days:</td><td class="value" id="distinct_days_placeholder"></td></tr>
</table>
)";

const char* const kReportDrawing = R"(document.getElementById('hours_placeholder').insertAdjacentHTML('beforeend', $time);
document.getElementById('time_slices_placeholder').insertAdjacentHTML('beforeend', $timeslice_value);
document.getElementById('distinct_days_placeholder').insertAdjacentHTML('beforeend', $days_value);
var data = { labels: $labels, series: [$flow, $highlyConcentrated, $good, $distracted] };
var options = { donut: true, labelPosition: 'inside', labelDirection: 'implode', fullWidth: true, plugins: [legend] };
var responsiveOptions = [
  ['screen and (min-width: 801px) and (max-width: 2048px)', {}],
  ['screen and (min-width: 401px) and (max-width: 800px)', {}],
  ['screen and (max-width: 400px)', {}]
];
new Chartist.Pie('.ct-chart', data, options, responsiveOptions);
)";

}

std::string numberList(const std::vector<double>& numbers)
{
    if (numbers.empty())
        return "[]";
    std::string text = "[ ";
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0)
            text += ',';
        double number = numbers[i];
        // A page script cannot read "nan" or "inf"; such a value can only come from a
        // damaged log, and shows as nothing.
        if (!std::isfinite(number))
            number = 0.0;
        char buffer[64];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
        std::string written(buffer, result.ptr);
        if (written.find_first_of(".e") == std::string::npos)
            written += ".0";
        text += written;
    }
    return text + " ]";
}

std::string asJavaScriptSource(const std::vector<std::string>& texts)
{
    if (texts.empty())
        return "[]";
    std::string text = "[ ";
    for (size_t i = 0; i < texts.size(); ++i) {
        if (i > 0)
            text += ',';
        text += '\'' + texts[i] + '\'';
    }
    return text + " ]";
}

std::string seriesLine(ConcentrationLevel level, const std::vector<double>& numbers)
{
    return "var " + std::string(caseName(level)) + " = " + numberList(numbers) + ";\n";
}

std::string overviewPage(const std::string& dataScript)
{
    return kOverviewPrelude + dataScript + "\n" + commonBody("ct-vertical", "ct-horizontal") + kOverviewDrawing
        + kPageEnd;
}

std::string hourOfTheDayPage(const std::string& dataScript)
{
    return kPrelude + dataScript + "\n" + commonBody("ct-horizontal", "ct-vertical") + percentageDrawing(kHourResponsive)
        + kPageEnd;
}

std::string dayOfTheWeekPage(const std::string& dataScript)
{
    return kPrelude + dataScript + "\n" + commonBody("ct-horizontal", "ct-vertical")
        + percentageDrawing(kWeekdayResponsive) + kPageEnd;
}

std::string reportPage(const std::string& dataScript)
{
    return kPrelude + dataScript + "\n" + commonBody("ct-horizontal", "ct-vertical", kReportStyle, kReportTable)
        + kReportDrawing + kPageEnd;
}

}
