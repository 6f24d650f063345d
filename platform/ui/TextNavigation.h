#pragma once

#include "platform/text/AttributedString.h"
#include "platform/text/RichTextLayout.h"

#include <cstddef>
#include <string>

namespace ui::TextNavigation {

// Where the caret goes in a rich text, by paragraph, word, line and row. Indices are UTF-16
// units; a direction below zero goes back, any other forward.

// The paragraph holding an index: its start and its end before the line break.
text::Range paragraphRange(const std::u16string& text, std::size_t index);
// The next start (back) or end (forward) of a word.
std::size_t wordBoundary(const std::u16string& text, std::size_t index, int direction);
// The start or end of the laid-out line holding the index, before its own line break.
std::size_t lineBoundary(const text::RichTextLayout& layout, const std::u16string& text, std::size_t index, int direction);
// The index a row up or down (or `distance` points beyond the caret's row, a page), at the
// caret's x; beyond the first or last row, the start or end.
std::size_t verticalMove(const text::RichTextLayout& layout, std::size_t length, std::size_t index, int direction, double distance = 1);

}
