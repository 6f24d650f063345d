#pragma once

#include "platform/ui/View.h"

#include <functional>
#include <optional>

namespace ui {

// The bar beside or below a document showing which part of it is in view, and moving it: the
// knob is dragged, a press in the track beside it pages towards the press.
class Scroller : public View {
public:
    enum class Axis { Vertical, Horizontal };
    // Its thickness across the axis it scrolls along.
    static constexpr double kWidth = 11;
    // The shortest the knob gets, however long the document: still easy to take.
    static constexpr double kMinimumKnobLength = 20;
    static std::shared_ptr<Scroller> create(Axis axis = Axis::Vertical);
    Axis axis() const { return m_axis; }
    // Visible part and offset, both as fractions of the document.
    void setKnob(double proportion, double position);
    double knobProportion() const { return m_proportion; }
    double knobPosition() const { return m_position; }
    // Where the knob stands, in the scroller's own (flipped) coordinates.
    Rect knobRect() const;

    // The knob dragged to a position (0 top or left, 1 bottom or right); a page asked for
    // (-1 up or left, 1 down or right).
    std::function<void(double position)> onKnobMoved;
    std::function<void(int direction)> onPage;

    void draw(gfx::GraphicsContext& context, const Rect& dirty) override;
    bool isFlipped() const override { return true; }
    bool marksItsOwnChanges() const override { return true; }
    void mouseDown(const Event& event) override;
    void mouseDragged(const Event& event) override;
    void mouseUp(const Event& event) override;

protected:
    explicit Scroller(Axis axis = Axis::Vertical);

private:
    // A point's place along the axis, a rectangle's length along it, and the track's length.
    double along(Point point) const;
    double lengthAlong(const Rect& rect) const;
    double trackLength() const;

    Axis m_axis { Axis::Vertical };
    double m_proportion { 1 };
    double m_position { 0 };
    // While the knob is dragged: where in the knob it was taken.
    std::optional<double> m_grab;
};

}
