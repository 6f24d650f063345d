#include "platform/ui/Scroller.h"

#include "platform/ui/Event.h"

#include <algorithm>

namespace ui {

std::shared_ptr<Scroller> Scroller::create(Axis axis) { return std::shared_ptr<Scroller>(new Scroller(axis)); }

Scroller::Scroller(Axis axis)
    : View({})
    , m_axis(axis)
{
}

void Scroller::setKnob(double proportion, double position)
{
    proportion = std::clamp(proportion, 0.0, 1.0);
    position = std::clamp(position, 0.0, 1.0);
    if (proportion == m_proportion && position == m_position)
        return;
    m_proportion = proportion;
    m_position = position;
    setNeedsDisplay();
}

double Scroller::along(Point point) const { return m_axis == Axis::Vertical ? point.y : point.x; }

double Scroller::lengthAlong(const Rect& rect) const { return m_axis == Axis::Vertical ? rect.height() : rect.width(); }

double Scroller::trackLength() const { return lengthAlong(bounds()); }

Rect Scroller::knobRect() const
{
    Rect b = bounds();
    double track = trackLength();
    double length = std::min(track, std::max(kMinimumKnobLength, track * m_proportion));
    double start = (track - length) * m_position;
    if (m_axis == Axis::Vertical)
        return Rect(b.minX() + 2, start, b.width() - 4, length);
    return Rect(start, b.minY() + 2, length, b.height() - 4);
}

void Scroller::draw(gfx::GraphicsContext& context, const Rect&)
{
    Rect b = bounds();
    // A faint track, so that a press beside the knob has somewhere visible to land.
    context.setFillColor(gfx::Color::white(0.5, m_grab ? 0.22 : 0.12));
    context.fillRect(m_axis == Axis::Vertical ? Rect(b.minX() + 2, b.minY(), b.width() - 4, b.height())
                                              : Rect(b.minX(), b.minY() + 2, b.width(), b.height() - 4));
    context.setFillColor(gfx::Color::white(0.5, m_grab ? 0.95 : 0.7));
    context.fillRect(knobRect());
}

void Scroller::mouseDown(const Event& event)
{
    double at = along(convertPointFrom(event.locationInWindow(), nullptr));
    Rect knob = knobRect();
    double knobStart = along(knob.origin);
    if (at >= knobStart && at <= knobStart + lengthAlong(knob)) {
        m_grab = at - knobStart;
        setNeedsDisplay();
        return;
    }
    if (auto page = onPage)
        page(at < knobStart ? -1 : 1);
}

void Scroller::mouseDragged(const Event& event)
{
    if (!m_grab)
        return;
    double at = along(convertPointFrom(event.locationInWindow(), nullptr));
    double travel = trackLength() - lengthAlong(knobRect());
    double position = travel > 0 ? std::clamp((at - *m_grab) / travel, 0.0, 1.0) : 0;
    if (auto moved = onKnobMoved)
        moved(position);
}

void Scroller::mouseUp(const Event&)
{
    m_grab.reset();
    setNeedsDisplay();
}

}
