#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Path.h"

#include <string>
#include <string_view>
#include <utility>

typedef struct _PangoLayout PangoLayout;

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

// Whether a drawn text is cut at its rectangle. Most texts are; a few titles are drawn
// straight into a rectangle shorter than their descenders and must keep them.
enum class TextClipping { toRect, none };

// The text as pango should see it: invalid UTF-8 repaired, and the two private-use
// composition markers (U+F860, U+F861) turned into an invisible joiner of the same byte
// length, so that byte offsets into the text stay valid and nothing draws a box for them.
std::string displayableText(std::string_view utf8);

// A text in one style laid out in lines `width` wide, wrapping at words (a width that is not
// positive means one line per paragraph). Keep one to measure and draw the same text often.
class TextLayout {
public:
    TextLayout(std::string_view utf8, const TextStyle&, double width = 0);
    ~TextLayout();
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    // Origin (0, 0), the widest line's width, the lines' height.
    Rect boundingRect() const;
    // The same as draw() lays it out: small text goes on whole pixels there, a little wider
    // than measured. What a control sizes itself to so that its whole title shows.
    Rect drawnBoundingRect() const;
    // From the top of `rect`, in the current context, upright whichever way its y runs;
    // nothing falls outside `rect` unless asked to draw unclipped.
    void draw(const Rect&, TextClipping = TextClipping::toRect) const;
    // The glyph outlines, y up, the first line's baseline at y = 0, lines starting at x = 0.
    Path outline() const;
    // Underlines the bytes [from, to) of the text: what an input method is composing shows so.
    void underline(size_t from, size_t to);

    PangoLayout* pangoLayout() const { return m_layout; }

private:
    PangoLayout* drawingLayout() const;

    TextStyle m_style;
    PangoLayout* m_layout { nullptr };
    mutable PangoLayout* m_drawingLayout { nullptr };
};

// The one-off forms of the above.
Rect textBoundingRect(std::string_view utf8, double width, const TextStyle&);
void drawText(std::string_view utf8, const Rect&, const TextStyle&, TextClipping = TextClipping::toRect);
Path textOutline(std::string_view utf8, const Font&);

}
