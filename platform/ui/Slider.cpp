#include "platform/ui/Slider.h"

#include "platform/base/KeyCodes.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace ui {

std::shared_ptr<Slider> Slider::create(double minValue, double maxValue, double value)
{
    return std::shared_ptr<Slider>(new Slider(minValue, maxValue, value));
}

Slider::Slider(double minValue, double maxValue, double value)
    : Control({})
    , m_min(std::isfinite(minValue) ? minValue : 0)
    , m_max(std::isfinite(maxValue) ? std::max(maxValue, m_min) : m_min)
{
    m_value = clamp(value);
}

double Slider::clamp(double value) const
{
    if (!std::isfinite(value))
        return m_value;
    value = std::clamp(value, m_min, m_max);
    return m_ticksOnly ? closestTickMarkValue(value) : value;
}

void Slider::setMinValue(double value)
{
    if (!std::isfinite(value))
        return;
    m_min = value;
    m_max = std::max(m_max, m_min);
    m_value = clamp(m_value);
    setNeedsDisplay();
}

void Slider::setMaxValue(double value)
{
    if (!std::isfinite(value))
        return;
    m_max = value;
    m_min = std::min(m_max, m_min);
    m_value = clamp(m_value);
    setNeedsDisplay();
}

void Slider::setDoubleValue(double value)
{
    double clamped = clamp(value);
    if (clamped == m_value)
        return;
    m_value = clamped;
    setNeedsDisplay();
}

void Slider::setNumberOfTickMarks(int count)
{
    m_ticks = std::max(0, count);
    m_value = clamp(m_value);
    setNeedsDisplay();
}

void Slider::setAllowsTickMarkValuesOnly(bool only)
{
    m_ticksOnly = only;
    m_value = clamp(m_value);
    setNeedsDisplay();
}

double Slider::tickMarkValue(int index) const
{
    if (m_ticks < 2)
        return m_ticks == 1 ? (m_min + m_max) / 2 : m_min;
    return m_min + (m_max - m_min) * std::clamp(index, 0, m_ticks - 1) / (m_ticks - 1);
}

double Slider::closestTickMarkValue(double value) const
{
    if (m_ticks < 1)
        return value;
    if (m_ticks == 1 || m_max == m_min)
        return tickMarkValue(0);
    double step = (m_max - m_min) / (m_ticks - 1);
    int index = static_cast<int>(std::lround((value - m_min) / step));
    return tickMarkValue(index);
}

double Slider::knobWidth() const { return controlSize() == ControlSize::Regular ? 16 : controlSize() == ControlSize::Small ? 12 : 9; }

Rect Slider::barRect() const
{
    double k = knobWidth();
    double thickness = controlSize() == ControlSize::Mini ? 3 : 4;
    double y = m_ticks > 0 ? k / 2 : bounds().midY();
    return Rect(k / 2, std::round(y - thickness / 2), std::max(0.0, bounds().width() - k), thickness);
}

Rect Slider::knobRect() const
{
    Rect bar = barRect();
    double fraction = m_max > m_min ? (m_value - m_min) / (m_max - m_min) : 0;
    double k = knobWidth();
    return Rect(bar.minX() + bar.width() * fraction - k / 2, bar.midY() - k / 2, k, k);
}

Rect Slider::rectOfTickMark(int index) const
{
    if (index < 0 || index >= m_ticks)
        return {};
    Rect bar = barRect();
    double fraction = m_ticks == 1 ? 0.5 : static_cast<double>(index) / (m_ticks - 1);
    return Rect(bar.minX() + bar.width() * fraction - 0.5, knobWidth() + 1, 1, 4);
}

double Slider::valueAt(Point point) const
{
    Rect bar = barRect();
    double fraction = bar.width() > 0 ? (point.x - bar.minX()) / bar.width() : 0;
    return m_min + (m_max - m_min) * std::clamp(fraction, 0.0, 1.0);
}

Size Slider::intrinsicContentSize() const
{
    return { kNoIntrinsicMetric, knobWidth() + (m_ticks > 0 ? 7 : 4) };
}

void Slider::setKnobHook(PartHook hook)
{
    m_knobHook = std::move(hook);
    setNeedsDisplay();
}

void Slider::setBarHook(PartHook hook)
{
    m_barHook = std::move(hook);
    setNeedsDisplay();
}

void Slider::moveTo(double value, bool report)
{
    double before = m_value;
    setDoubleValue(value);
    if (report && m_value != before)
        sendAction();
}

void Slider::mouseDown(const Event& event)
{
    if (!isEnabled())
        return;
    m_dragging = true;
    setHighlighted(true);
    moveTo(valueAt(convertPointFrom(event.locationInWindow(), nullptr)), m_continuous);
}

void Slider::mouseDragged(const Event& event)
{
    if (m_dragging)
        moveTo(valueAt(convertPointFrom(event.locationInWindow(), nullptr)), m_continuous);
}

void Slider::mouseUp(const Event& event)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    setHighlighted(false);
    double before = m_value;
    setDoubleValue(valueAt(convertPointFrom(event.locationInWindow(), nullptr)));
    // A slider that is not continuous tells only now; a continuous one when the release moved it.
    if (!m_continuous || m_value != before)
        sendAction();
}

void Slider::keyDown(const Event& event)
{
    using K = base::KeyCode;
    auto key = static_cast<K>(event.keyCode());
    double step = m_ticks > 1 ? (m_max - m_min) / (m_ticks - 1) : (m_max - m_min) / 20;
    // As every desktop's sliders: the arrows a step, the page keys ten (or a quarter of a
    // short scale), Home and End to the ends.
    double page = std::max(step, std::min(10 * step, (m_max - m_min) / 4));
    std::optional<double> target;
    switch (key) {
    case K::RightArrow:
    case K::UpArrow:
        target = m_value + step;
        break;
    case K::LeftArrow:
    case K::DownArrow:
        target = m_value - step;
        break;
    case K::PageUp:
        target = m_value + page;
        break;
    case K::PageDown:
        target = m_value - page;
        break;
    case K::Home:
        target = m_min;
        break;
    case K::End:
        target = m_max;
        break;
    default:
        break;
    }
    if (!target || !isEnabled()) {
        Control::keyDown(event);
        return;
    }
    moveTo(*target, true);
}

void Slider::drawOwnLook(gfx::GraphicsContext& context)
{
    Rect bar = barRect();
    if (!m_barHook || !m_barHook(*this, context, bar)) {
        ControlLook::drawBezel(context, bar, bar.height() / 2, ControlLook::kField);
        Rect filled = bar;
        filled.size.width = knobRect().midX() - bar.minX();
        context.setFillColor(ControlLook::kAccent);
        gfx::Path::roundedRect(filled, bar.height() / 2, bar.height() / 2).fill();
    }
    context.setFillColor(ControlLook::kSecondaryText);
    for (int i = 0; i < m_ticks; ++i)
        context.fillRect(rectOfTickMark(i));
    Rect knob = knobRect();
    if (!m_knobHook || !m_knobHook(*this, context, knob)) {
        context.setFillColor(isHighlighted() ? ControlLook::kText.blended(0.2, gfx::colors::black) : ControlLook::kText);
        auto oval = gfx::Path::oval(knob.insetBy(0.5, 0.5));
        oval.fill();
        context.setStrokeColor(ControlLook::kStroke);
        oval.stroke();
    }
}

}
