#include "breaks/LockButtonWall.h"

namespace ostrel {

std::shared_ptr<LockButtonWall> LockButtonWall::create(ui::Rect frame) { return make<LockButtonWall>(frame); }

LockButtonWall::LockButtonWall(ui::Rect frame)
    : Wall(frame)
{
}

void LockButtonWall::mouseDown(const ui::Event&)
{
    if (m_enabled && buttonClickFunc)
        buttonClickFunc();
}

}
