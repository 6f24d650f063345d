#pragma once

#include "platform/gfx/GraphicsContext.h"
#include "platform/text/AttributedString.h"
#include "platform/ui/Geometry.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace ui {

// The misspelled words of a text view's paragraphs, found through the spell checker and
// remembered by paragraph text: a paragraph is checked when it is first shown and again
// only once it has been edited, so typing in a long page checks one paragraph.
class SpellingMarks {
public:
    // The misspelled words of one paragraph, counted from its start. Words with digits in
    // them are left alone.
    const std::vector<text::Range>& misspellings(const std::u16string& paragraph);
    // Draws the mark under a word: a dotted red line along the bottom of its rectangle.
    static void drawMark(gfx::GraphicsContext& context, const Rect& wordRect);
    void clear() { m_checked.clear(); }
    std::size_t checkedParagraphs() const { return m_checked.size(); }

private:
    std::unordered_map<std::u16string, std::vector<text::Range>> m_checked;
};

}
