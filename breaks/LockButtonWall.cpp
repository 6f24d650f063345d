#include "breaks/LockButtonWall.h"

#include "platform/base/KeyCodes.h"
#include "platform/ui/Event.h"

namespace ostrel {

std::shared_ptr<LockButtonWall> LockButtonWall::create(ui::Rect frame) { return make<LockButtonWall>(frame); }

LockButtonWall::LockButtonWall(ui::Rect frame)
    : Wall(frame)
{
}

void LockButtonWall::mouseDown(const ui::Event&) { press(); }

void LockButtonWall::keyDown(const ui::Event& event)
{
    using K = base::KeyCode;
    auto key = static_cast<K>(event.keyCode());
    bool plain = !(event.modifierFlags() & (ui::ModifierFlag::Shift | ui::ModifierFlag::Control | ui::ModifierFlag::Option | ui::ModifierFlag::Command));
    if (plain && (key == K::Space || key == K::Return || key == K::KeypadEnter)) {
        press();
        return;
    }
    // Escape and Tab go on to the window: Escape hides, Tab walks to "End Break".
    Wall::keyDown(event);
}

void LockButtonWall::press()
{
    if (m_enabled && buttonClickFunc)
        buttonClickFunc();
}

}
