#pragma once

#include "platform/gfx/Color.h"
#include "platform/ui/View.h"

namespace ui {

// The view a scroll view looks through: scrolling moves its bounds origin over the
// document view, which keeps its own frame.
class ClipView : public View {
public:
    static std::shared_ptr<ClipView> create(bool flipped = false);
    bool isFlipped() const override { return m_flipped; }

protected:
    explicit ClipView(bool flipped);

private:
    bool m_flipped { false };
};

// A thin bar showing which part of the document is in view.
class Scroller : public View {
public:
    static constexpr double kWidth = 8;
    static std::shared_ptr<Scroller> create();
    // Visible part and offset, both as fractions of the document.
    void setKnob(double proportion, double position);
    double knobProportion() const { return m_proportion; }
    double knobPosition() const { return m_position; }
    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;
    bool isFlipped() const override { return true; }

protected:
    Scroller();

private:
    double m_proportion { 1 };
    double m_position { 0 };
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

    void scrollWheel(const Event& event) override;
    void layout() override;
    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;

protected:
    ScrollView();

private:
    void updateScroller();
    double maxOffset() const;

    std::shared_ptr<ClipView> m_clip;
    std::shared_ptr<View> m_document;
    std::shared_ptr<Scroller> m_scroller;
    bool m_hasVertical { false };
    bool m_autohides { false };
    bool m_drawsBackground { true };
    gfx::Color m_background { gfx::colors::white };
    BorderType m_border { BorderType::None };
};

}
