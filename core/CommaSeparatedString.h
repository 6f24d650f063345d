#pragma once

#include <string>
#include <vector>

namespace ostrel {

// The texts in order, each without line breaks at either end, joined by ", ": how a list
// of tags is shown. An empty list gives the empty text.
std::string asCommaSeparatedString(const std::vector<std::string>& texts);

}
