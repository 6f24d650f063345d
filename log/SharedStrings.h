#pragma once

#include <string>
#include <string_view>

namespace ostrel {

// The one copy of a value that records repeat by the thousand (focus words, tag lists), kept
// for the program's run: ten years of records then hold a pointer each rather than a string.
// Safe from any thread.
const std::string& sharedString(std::string_view value);

}
