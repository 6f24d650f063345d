#pragma once

#include <string>
#include <string_view>

namespace media {

// The language a short text is most likely written in, as a lower-case ISO 639-1 code
// ("en", "de", "ru" …), or "" when the text has no letters. Latin-script text is told
// apart by its common words and its accented letters; Latin text without either (a title
// such as "Starting Time Slice") counts as English, the language most of the program's
// texts are in.
std::string guessLanguage(std::string_view utf8);

}
