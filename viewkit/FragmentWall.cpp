#include "viewkit/FragmentWall.h"

namespace ostrel {

std::shared_ptr<FragmentWall> FragmentWall::create(ui::Rect frame) { return make<FragmentWall>(frame); }

FragmentWall::FragmentWall(ui::Rect frame)
    : Wall(frame)
{
}

void FragmentWall::install(const std::shared_ptr<FragmentStackView>&) { }

}
