#include "platform/ui/Switch.h"

#include "platform/base/KeyCodes.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Path.h"
#include "platform/ui/ControlLook.h"
#include "platform/ui/Event.h"

namespace ui {

std::shared_ptr<Switch> Switch::create(bool on) { return std::shared_ptr<Switch>(new Switch(on)); }

Switch::Switch(bool on)
    : Control({})
    , m_on(on)
{
}

void Switch::setState(int state)
{
    m_on = state != 0;
    setNeedsDisplay();
}

Size Switch::intrinsicContentSize() const
{
    switch (controlSize()) {
    case ControlSize::Small:
        return { 32, 18 };
    case ControlSize::Mini:
        return { 26, 15 };
    case ControlSize::Regular:
        break;
    }
    return { 40, 22 };
}

void Switch::flip()
{
    if (!isEnabled())
        return;
    m_on = !m_on;
    setNeedsDisplay();
    sendAction();
}

void Switch::mouseDown(const Event&) { flip(); }

void Switch::keyDown(const Event& event)
{
    auto key = static_cast<base::KeyCode>(event.keyCode());
    if (key == base::KeyCode::Space || key == base::KeyCode::Return || key == base::KeyCode::KeypadEnter)
        flip();
    else
        Control::keyDown(event);
}

void Switch::drawOwnLook(gfx::GraphicsContext& context)
{
    Rect track = bounds();
    double radius = track.height() / 2;
    ControlLook::drawBezel(context, track, radius, m_on ? ControlLook::kAccent : ControlLook::kFace);
    double side = track.height() - 4;
    Rect knob(m_on ? track.maxX() - side - 2 : track.minX() + 2, track.minY() + 2, side, side);
    context.setFillColor(ControlLook::kText);
    gfx::Path::oval(knob).fill();
}

}
