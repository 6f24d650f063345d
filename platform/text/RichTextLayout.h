#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/text/AttributedString.h"

#include <memory>
#include <vector>

typedef struct _PangoContext PangoContext;

namespace text {

// What a run without a font or colour of its own is drawn in: the pads' default font and
// text colour, a label's style.
struct LayoutDefaults {
    gfx::Font font;
    gfx::Color color { gfx::Color::rgb(0, 0, 0) };
};

// An attributed string laid out over pango in lines `width` wide (a width that is not
// positive means one line per paragraph), one pango layout per paragraph so that each keeps
// its own alignment. Positions are in layout coordinates: origin at the top left, y down.
// Indices are UTF-16 units of the string, as everywhere in the text layer. Main thread only.
class RichTextLayout {
public:
    struct Line {
        Range range;
        gfx::Rect rect;
        double baseline { 0 };
        bool operator==(const Line&) const = default;
    };

    RichTextLayout(const AttributedString& text, double width = 0, LayoutDefaults defaults = {});
    ~RichTextLayout();

    // After an edit replaced `replaced` (a range of the text this layout was made from) with
    // `newLength` units, only the paragraphs the edit touched are laid out again: typing in
    // a long page costs one paragraph, not the page.
    void update(const AttributedString& text, Range replaced, size_t newLength);
    RichTextLayout(const RichTextLayout&) = delete;
    RichTextLayout& operator=(const RichTextLayout&) = delete;

    // Origin (0, 0), the widest line's width, all lines' height.
    gfx::Rect boundingRect() const;
    // From the top of `rect` in the current graphics context, upright whichever way its y
    // runs; nothing falls outside `rect`.
    void draw(const gfx::Rect& rect) const;

    const std::vector<Line>& lines() const { return m_lines; }
    // Where the caret stands before the character at `index` (the end for length()): a
    // rectangle of no width and the line's height.
    gfx::Rect caretRect(size_t index) const;
    // The caret position nearest to a point; points above or below the text go to the first
    // or last line.
    size_t indexAt(gfx::Point point) const;
    // The rectangles a selection of `range` covers, one or more per line.
    std::vector<gfx::Rect> selectionRects(Range range) const;

private:
    struct Paragraph;
    struct RunCursor;
    using Paragraphs = std::vector<std::unique_ptr<Paragraph>>;

    static constexpr size_t npos = std::u16string::npos;
    // The paragraphs from `from` up to the one that starts at `to`, or to the end for npos.
    Paragraphs layOut(const AttributedString& text, size_t from, size_t to) const;
    std::unique_ptr<Paragraph> makeParagraph(const AttributedString& text, size_t start, RunCursor& runs) const;
    void placeParagraphs(size_t from);
    size_t paragraphIndex(size_t index) const;
    const Paragraph& paragraphFor(size_t index) const { return *m_paragraphs[paragraphIndex(index)]; }

    PangoContext* m_context { nullptr };
    LayoutDefaults m_defaults;
    double m_wrapWidth { 0 };
    size_t m_length { 0 };
    Paragraphs m_paragraphs;
    std::vector<Line> m_lines;
    double m_width { 0 };
    double m_height { 0 };
};

}
