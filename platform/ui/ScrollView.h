#pragma once

#include "platform/gfx/Color.h"
#include "platform/ui/Scroller.h"
#include "platform/ui/View.h"

namespace ui {

// The view a scroll view looks through: scrolling moves its bounds origin over the
// document view, which keeps its own frame.
class ClipView : public View {
public:
    static std::shared_ptr<ClipView> create(bool flipped = false);
    bool isFlipped() const override { return m_flipped; }
    // It draws nothing of its own; scrolled, it marks all it shows.
    bool marksItsOwnChanges() const override { return true; }

protected:
    explicit ClipView(bool flipped);

private:
    bool m_flipped { false };
};

// A document seen through a clip view, with scrollers that show and move which part is in
// view. Vertically by default; a scroll view given a horizontal scroller scrolls sideways
// too (the wheel with Shift, a touchpad's sideways swipe), and one that has neither keeps
// its document's left edge in view.
class ScrollView : public View {
public:
    static std::shared_ptr<ScrollView> create();

    ClipView* contentView() const { return m_clip.get(); }
    // Replaces the clip view; the document view moves into the new one.
    void setContentView(std::shared_ptr<ClipView> clip);
    View* documentView() const { return m_document.get(); }
    void setDocumentView(std::shared_ptr<View> document);

    bool hasVerticalScroller() const { return m_hasVertical; }
    void setHasVerticalScroller(bool has);
    bool hasHorizontalScroller() const { return m_hasHorizontal; }
    void setHasHorizontalScroller(bool has);
    // An auto-hiding scroller shows only while the document is longer than the view that way.
    bool autohidesScrollers() const { return m_autohides; }
    void setAutohidesScrollers(bool autohides);
    Scroller* verticalScroller() const { return m_scroller.get(); }
    Scroller* horizontalScroller() const { return m_horizontalScroller.get(); }
    // Replaces the vertical scroller with one of the owner's own kind.
    void setVerticalScroller(std::shared_ptr<Scroller> scroller);
    // Whether the scrollers, while they show, take their room from the document instead of
    // lying over its right and bottom edges.
    bool scrollerBeside() const { return m_scrollerBeside; }
    void setScrollerBeside(bool beside);

    bool drawsBackground() const { return m_drawsBackground; }
    void setDrawsBackground(bool draws);
    gfx::Color backgroundColor() const { return m_background; }
    void setBackgroundColor(gfx::Color color);
    enum class BorderType { None, Line };
    void setBorderType(BorderType type);

    // The document's part in view, in the document's coordinates.
    Rect documentVisibleRect() const;
    // Scrolls so that this point of the clip view's bounds is at its top left, kept within
    // the document.
    void scrollToPoint(Point point);
    // Scrolls by a distance in the direction the document reads: positive shows more of its
    // top for a flipped clip view.
    void scrollBy(double deltaY);
    // Sideways, with a horizontal scroller: positive shows more of the document's right.
    void scrollHorizontallyBy(double deltaX);
    // The distance one line of the wheel and the arrow keys moves: the table's row height
    // for a table, a few lines of text otherwise, never more than half of what shows.
    double lineScroll() const;
    // A page: what shows, less a line kept in sight for continuity.
    double pageScroll() const;
    // To the document's top or bottom.
    void scrollToTop();
    void scrollToBottom();
    // Scrolls the least that brings the rectangle, in the view's coordinates, into sight in
    // every scroll view around the view; a rectangle larger than what shows keeps what shows
    // of it, or shows its start. Keyboard focus moving into a control does this.
    static void scrollRectToVisible(View& view, Rect rect);

    // A wheel notch moves a line, sideways with Shift; a precise device (a touchpad) moves by
    // its own fraction, either way. What cannot move this view goes on to the views around it.
    void scrollWheel(const Event& event) override;
    // Keys no view inside took: Page Up and Down, Home, End, the space bar (with Shift
    // upwards) and the arrows (left and right with a horizontal scroller).
    void keyDown(const Event& event) override;
    void layout() override;
    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;

protected:
    ScrollView();

private:
    // The scrollers speak in fractions of the document's travel, from its top or left.
    void connectScroller();
    void connectHorizontalScroller();
    void updateScroller();
    // Whether each scroller shows, for a clip view of the given size.
    bool verticalShows(Size clip) const;
    bool horizontalShows(Size clip) const;
    double maxOffset() const;
    double maxOffsetX() const;
    // A line sideways: a few characters' width, never more than half of what shows.
    double horizontalLineScroll() const;
    // Scrolls this view alone so that the rectangle, in the clip view's bounds, is in sight.
    void scrollClipRectToVisible(Rect rect);

    std::shared_ptr<ClipView> m_clip;
    std::shared_ptr<View> m_document;
    std::shared_ptr<Scroller> m_scroller;
    std::shared_ptr<Scroller> m_horizontalScroller;
    bool m_hasVertical { false };
    bool m_hasHorizontal { false };
    bool m_autohides { false };
    bool m_scrollerBeside { false };
    bool m_drawsBackground { true };
    gfx::Color m_background { gfx::colors::white };
    BorderType m_border { BorderType::None };
};

}
