#include "viewkit/WallWithInstrinsicSize.h"

namespace ostrel {

std::shared_ptr<WallWithInstrinsicSize> WallWithInstrinsicSize::create(ui::Rect frame) { return make<WallWithInstrinsicSize>(frame); }

WallWithInstrinsicSize::WallWithInstrinsicSize(ui::Rect frame)
    : Wall(frame)
    , m_myIntrinsicSize(frame.size)
{
}

}
