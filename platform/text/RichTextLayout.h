#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/text/AttributedString.h"

#include <cstdint>
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
//
// A long page is laid out as it is looked at (Laziness::asNeeded): a paragraph nobody has
// drawn, measured or pointed into yet has an estimated height, and at most a few hundred
// paragraphs keep their pango layout at a time, so that opening a page is linear in its
// length and its memory stays bounded; layOutMore() makes the estimates exact bit by bit.
class RichTextLayout {
public:
    struct Line {
        Range range;
        gfx::Rect rect;
        double baseline { 0 };
        bool operator==(const Line&) const = default;
    };
    enum class Laziness { none, asNeeded };

    RichTextLayout(const AttributedString& text, double width = 0, LayoutDefaults defaults = {}, Laziness laziness = Laziness::none);
    ~RichTextLayout();

    // After an edit replaced `replaced` (a range of the text this layout was made from) with
    // `newLength` units, only the paragraphs the edit touched are laid out again: typing in
    // a long page costs one paragraph, not the page. A lazy layout lays out at once only the
    // paragraphs where the edit starts and ends, so a pasted page costs what opening it does.
    void update(const AttributedString& text, Range replaced, size_t newLength);
    RichTextLayout(const RichTextLayout&) = delete;
    RichTextLayout& operator=(const RichTextLayout&) = delete;

    // Origin (0, 0), the widest line's width, all lines' height (estimated in part until
    // isComplete()).
    gfx::Rect boundingRect() const;
    // From the top of `rect` in the current graphics context, upright whichever way its y
    // runs; nothing falls outside `rect`, and only what the clip meets is laid out and drawn.
    void draw(const gfx::Rect& rect) const;

    // Every line: lays the whole text out first, so a long page asks linesIn() instead.
    const std::vector<Line>& lines() const;
    // The first line whose range holds the index (the last line for the end).
    Line lineAt(size_t index) const;
    // The lines that meet the band from `top` to `bottom`, in order.
    std::vector<Line> linesIn(double top, double bottom) const;
    // Where the caret stands before the character at `index` (the end for length()): a
    // rectangle of no width and the line's height.
    gfx::Rect caretRect(size_t index) const;
    // The caret position nearest to a point; points above or below the text go to the first
    // or last line.
    size_t indexAt(gfx::Point point) const;
    // The rectangles a selection of `range` covers, one or more per line.
    std::vector<gfx::Rect> selectionRects(Range range) const;

    // Lays out paragraphs still estimated for about `seconds`; true once none is left.
    bool layOutMore(double seconds);
    bool isComplete() const;
    // How many paragraphs hold a pango layout now: what a long page's memory follows.
    size_t paragraphsHoldingLayouts() const;
    // How many formatting runs laying out has stepped through so far: linear in the text
    // laid out, never in its square.
    size_t runsVisited() const;

private:
    struct Piece;
    struct Paragraph;
    using Paragraphs = std::vector<std::unique_ptr<Paragraph>>;
    // Where a walk over the runs stands: a run and the index it starts at.
    struct RunCursor {
        size_t run { 0 };
        size_t start { 0 };
    };

    static constexpr size_t npos = std::u16string::npos;
    // The paragraphs from `from` up to the one that starts at `to`, or to the end for npos,
    // each measured now.
    Paragraphs layOut(const AttributedString& text, size_t from, size_t to) const;
    // The same, only found and given an estimated height: nothing is shaped.
    Paragraphs find(const AttributedString& text, size_t from, size_t to) const;
    std::unique_ptr<Paragraph> findParagraph(const std::u16string& string, size_t start) const;
    // Gives the paragraph its pango layout, lines and height, from the text given or kept,
    // walking the runs on from `cursor` (at or before the paragraph), which it leaves there
    // for the next paragraph.
    void shape(Paragraph& paragraph, const AttributedString& text, RunCursor& cursor) const;
    // The run that holds an index: found by the kept run starts where the text is the kept
    // one, else walked to from the start.
    RunCursor runCursor(const AttributedString& text, size_t index) const;
    Paragraph& measured(size_t paragraphIndex) const;
    Paragraph& shaped(size_t paragraphIndex) const;
    double estimatedHeight(const Paragraph& paragraph) const;
    void releaseLayouts() const;
    void place() const;
    size_t paragraphIndex(size_t index) const;
    // The paragraph at a height, laid out around it until the tops hold.
    size_t paragraphAtHeight(double y) const;
    size_t runAt(size_t index) const;

    PangoContext* m_context { nullptr };
    LayoutDefaults m_defaults;
    double m_wrapWidth { 0 };
    size_t m_length { 0 };
    Laziness m_laziness { Laziness::none };
    // A lazy layout keeps the text, to shape paragraphs later, and where each run starts.
    AttributedString m_text;
    std::vector<size_t> m_runStarts;
    Paragraphs m_paragraphs;
    // Tops hold for paragraphs before this one; heights changed after it.
    mutable size_t m_placedUpTo { 0 };
    mutable std::vector<Line> m_lines;
    mutable bool m_linesValid { false };
    mutable double m_width { 0 };
    mutable double m_height { 0 };
    mutable size_t m_shapedCount { 0 };
    mutable size_t m_runsVisited { 0 };
    mutable std::uint64_t m_useClock { 0 };
    // One line's height and one character's width in the default font, for estimates.
    double m_estimatedLineHeight { 16 };
    double m_estimatedCharacterWidth { 7 };
};

}
