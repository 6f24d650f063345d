#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Path.h"

#include <string>
#include <utility>
#include <string_view>

namespace gfx {

enum class TextAlignment { natural, left, center, right, justified };

struct ParagraphStyle {
    TextAlignment alignment { TextAlignment::natural };
    bool operator==(const ParagraphStyle&) const = default;
};

// One font, one colour, one paragraph style for a whole string.
struct TextStyle {
    TextStyle() = default;
    TextStyle(Font f, Color c = colors::black, ParagraphStyle p = {})
        : font(std::move(f))
        , color(c)
        , paragraph(p)
    {
    }

    Font font;
    Color color { colors::black };
    ParagraphStyle paragraph;
    bool operator==(const TextStyle&) const = default;
};

// The text as pango should see it: invalid UTF-8 repaired, and the two private-use
// composition markers (U+F860, U+F861) turned into an invisible joiner of the same byte
// length, so that byte offsets into the text stay valid and nothing draws a box for them.
std::string displayableText(std::string_view utf8);

// The rectangle the text's lines take laid out from the top of a box `width` wide, wrapping
// at words (a width that is not positive means no wrapping): origin (0, 0), the widest
// line's width, the lines' height.
Rect textBoundingRect(std::string_view utf8, double width, const TextStyle&);

// Lays the text out from the top of `rect` in its width and draws it in the current
// context, upright whichever way its y runs; nothing falls outside `rect`.
void drawText(std::string_view utf8, const Rect&, const TextStyle&);

// The glyph outlines of a single-paragraph text, y up, the first line's baseline at y = 0 and
// the text starting at x = 0.
Path textOutline(std::string_view utf8, const Font&);

}
