#pragma once

#include <string>
#include <string_view>

namespace text {

// The marker a list item shows, from the list's marker format: "{disc}" gives "•",
// "({decimal})" gives "(3)" for item 3, and text outside the braces stays as written ("➤").
// The pads type the marker into the text when a list shortcut fires.
class TextList {
public:
    static std::u16string marker(std::string_view format, int itemNumber);
};

}
