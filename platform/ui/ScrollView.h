#pragma once

#include "platform/gfx/Color.h"
#include "platform/ui/View.h"

#include <functional>
#include <optional>

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

// The bar beside a document showing which part of it is in view, and moving it: the knob
// is dragged, a press in the track beside it pages towards the press.
class Scroller : public View {
public:
    static constexpr double kWidth = 11;
    // The shortest the knob gets, however long the document: still easy to take.
    static constexpr double kMinimumKnobLength = 20;
    static std::shared_ptr<Scroller> create();
    // Visible part and offset, both as fractions of the document.
    void setKnob(double proportion, double position);
    double knobProportion() const { return m_proportion; }
    double knobPosition() const { return m_position; }
    // Where the knob stands, in the scroller's own (flipped) coordinates.
    Rect knobRect() const;

    // The knob dragged to a position (0 top, 1 bottom); a page asked for (-1 up, 1 down).
    std::function<void(double position)> onKnobMoved;
    std::function<void(int direction)> onPage;

    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;
    bool isFlipped() const override { return true; }
    bool marksItsOwnChanges() const override { return true; }
    void mouseDown(const Event& event) override;
    void mouseDragged(const Event& event) override;
    void mouseUp(const Event& event) override;

protected:
    Scroller();

private:
    double m_proportion { 1 };
    double m_position { 0 };
    // While the knob is dragged: where in the knob it was taken.
    std::optional<double> m_grab;
};

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
    // An auto-hiding scroller shows only while the document is taller than the view.
    bool autohidesScrollers() const { return m_autohides; }
    void setAutohidesScrollers(bool autohides);
    Scroller* verticalScroller() const { return m_scroller.get(); }
    // Replaces the vertical scroller with one of the owner's own kind.
    void setVerticalScroller(std::shared_ptr<Scroller> scroller);
    // Whether the scroller, while it shows, takes its width from the document instead of
    // lying over its right edge.
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
    // The distance one line of the wheel and the arrow keys moves: the table's row height
    // for a table, a few lines of text otherwise, never more than half of what shows.
    double lineScroll() const;
    // A page: what shows, less a line kept in sight for continuity.
    double pageScroll() const;
    // To the document's top or bottom.
    void scrollToTop();
    void scrollToBottom();

    // A wheel notch moves a line; a precise device (a touchpad) moves by its own fraction.
    void scrollWheel(const Event& event) override;
    // Keys no view inside took: Page Up and Down, Home, End, the space bar (with Shift
    // upwards) and the up and down arrows.
    void keyDown(const Event& event) override;
    void layout() override;
    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;

protected:
    ScrollView();

private:
    // The scroller speaks in fractions of the document's travel, from its top.
    void connectScroller();
    void updateScroller();
    double maxOffset() const;

    std::shared_ptr<ClipView> m_clip;
    std::shared_ptr<View> m_document;
    std::shared_ptr<Scroller> m_scroller;
    bool m_hasVertical { false };
    bool m_autohides { false };
    bool m_scrollerBeside { false };
    bool m_drawsBackground { true };
    gfx::Color m_background { gfx::colors::white };
    BorderType m_border { BorderType::None };
};

}
