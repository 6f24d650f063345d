#include "platform/ui/SegmentedControl.h"

#include "platform/base/KeyCodes.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"

#include <algorithm>

namespace ui {

std::shared_ptr<SegmentedControl> SegmentedControl::create(std::vector<std::string> labels)
{
    return std::shared_ptr<SegmentedControl>(new SegmentedControl(std::move(labels)));
}

SegmentedControl::SegmentedControl(std::vector<std::string> labels)
    : Control({})
    , m_labels(std::move(labels))
{
}

void SegmentedControl::setSegmentCount(int count)
{
    m_labels.resize(static_cast<std::size_t>(std::max(0, count)));
    if (m_selected >= segmentCount())
        m_selected = -1;
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

std::string SegmentedControl::labelForSegment(int segment) const
{
    return segment >= 0 && segment < segmentCount() ? m_labels[static_cast<std::size_t>(segment)] : std::string {};
}

void SegmentedControl::setLabel(std::string label, int segment)
{
    if (segment < 0 || segment >= segmentCount())
        return;
    m_labels[static_cast<std::size_t>(segment)] = std::move(label);
    invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void SegmentedControl::setSelectedSegment(int segment)
{
    m_selected = segment >= 0 && segment < segmentCount() ? segment : -1;
    setNeedsDisplay();
}

Size SegmentedControl::intrinsicContentSize() const
{
    double widest = 0;
    for (const auto& label : m_labels)
        widest = std::max(widest, ControlLook::labelSize(label, font()).width);
    double height = controlSize() == ControlSize::Regular ? 24 : controlSize() == ControlSize::Small ? 19 : 15;
    return { (widest + 20) * segmentCount(), height };
}

Rect SegmentedControl::rectOfSegment(int segment) const
{
    if (segment < 0 || segment >= segmentCount())
        return {};
    double width = bounds().width() / segmentCount();
    return Rect(width * segment, 0, width, bounds().height());
}

void SegmentedControl::choose(int segment)
{
    if (segment < 0 || segment >= segmentCount() || !isEnabled())
        return;
    setSelectedSegment(segment);
    sendAction();
}

void SegmentedControl::mouseDown(const Event& event)
{
    Point point = convertPointFrom(event.locationInWindow(), nullptr);
    for (int i = 0; i < segmentCount(); ++i)
        if (rectOfSegment(i).contains(point))
            choose(i);
}

void SegmentedControl::keyDown(const Event& event)
{
    auto key = static_cast<base::KeyCode>(event.keyCode());
    if (key == base::KeyCode::LeftArrow)
        choose(std::max(0, m_selected - 1));
    else if (key == base::KeyCode::RightArrow)
        choose(std::min(segmentCount() - 1, m_selected + 1));
    else
        Control::keyDown(event);
}

void SegmentedControl::drawOwnLook(gfx::GraphicsContext& context)
{
    double radius = bounds().height() / 2;
    ControlLook::drawBezel(context, bounds(), radius, ControlLook::kFace);
    if (Rect selected = rectOfSegment(m_selected); !selected.isEmpty()) {
        context.setFillColor(ControlLook::kAccent);
        gfx::Path::roundedRect(selected.insetBy(2, 2), radius - 2, radius - 2).fill();
    }
    for (int i = 0; i < segmentCount(); ++i) {
        Rect r = rectOfSegment(i);
        if (i > 0 && i != m_selected && i - 1 != m_selected) {
            context.setFillColor(ControlLook::kStroke);
            context.fillRect(Rect(r.minX(), 5, 1, r.height() - 10));
        }
        ControlLook::drawLabel(m_labels[static_cast<std::size_t>(i)], r, font(),
            i == m_selected ? gfx::colors::white : ControlLook::kText);
    }
}

}
