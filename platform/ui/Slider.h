#pragma once

#include "platform/ui/Control.h"

#include <functional>
#include <memory>

namespace ui {

// A horizontal slider over a range. Dragging reports on every move while continuous, else
// once on release; tick marks may hold the value to themselves.
class Slider : public Control {
public:
    // Draws the knob or the bar in the rect given; false leaves it to our own look.
    using PartHook = std::function<bool(Slider& slider, gfx::GraphicsContext& context, const Rect& rect)>;

    static std::shared_ptr<Slider> create(double minValue = 0, double maxValue = 1, double value = 0);

    double minValue() const { return m_min; }
    void setMinValue(double value);
    double maxValue() const { return m_max; }
    void setMaxValue(double value);
    double doubleValue() const { return m_value; }
    // Kept within the range (and on a tick where only tick values are allowed).
    void setDoubleValue(double value);

    int numberOfTickMarks() const { return m_ticks; }
    void setNumberOfTickMarks(int count);
    bool allowsTickMarkValuesOnly() const { return m_ticksOnly; }
    void setAllowsTickMarkValuesOnly(bool only);
    double tickMarkValue(int index) const;
    double closestTickMarkValue(double value) const;
    // Where tick mark `index` is drawn, in the slider's bounds; empty for an index outside.
    virtual Rect rectOfTickMark(int index) const;

    bool isContinuous() const { return m_continuous; }
    void setContinuous(bool continuous) { m_continuous = continuous; }

    Rect knobRect() const;
    Rect barRect() const;
    void setKnobHook(PartHook hook);
    void setBarHook(PartHook hook);

    // The value the slider would take for a point of its bounds.
    double valueAt(Point point) const;

    Size intrinsicContentSize() const override;
    void mouseDown(const Event& event) override;
    void mouseDragged(const Event& event) override;
    void mouseUp(const Event& event) override;
    void keyDown(const Event& event) override;
    bool passesReturnToDefaultButton() const override { return true; }

protected:
    Slider(double minValue, double maxValue, double value);
    void drawOwnLook(gfx::GraphicsContext& context) override;

private:
    double clamp(double value) const;
    double knobWidth() const;
    void moveTo(double value, bool report);

    double m_min { 0 };
    double m_max { 1 };
    double m_value { 0 };
    int m_ticks { 0 };
    bool m_ticksOnly { false };
    bool m_continuous { true };
    bool m_dragging { false };
    PartHook m_knobHook;
    PartHook m_barHook;
};

}
