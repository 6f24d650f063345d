#pragma once

#include "log/ConcentrationLevel.h"

#include <string>
#include <vector>

namespace ostrel {

// The parts every statistic page is made of: a prelude that loads the chart library, the
// statistic's data script, and a body that draws the chart from the script's variables.
namespace ChartPage {

// Each number in its shortest form that reads back the same, whole numbers with ".0":
// "[ 0.0,12.5 ]"; "[]" for none.
std::string numberList(const std::vector<double>& numbers);
// "[ 'a','b' ]"; "[]" for none. Texts are not escaped: they are our own labels.
std::string asJavaScriptSource(const std::vector<std::string>& texts);
// "var good = [ ... ];\n"
std::string seriesLine(ConcentrationLevel level, const std::vector<double>& numbers);

std::string overviewPage(const std::string& dataScript);
std::string hourOfTheDayPage(const std::string& dataScript);
std::string dayOfTheWeekPage(const std::string& dataScript);
std::string reportPage(const std::string& dataScript);

}

}
