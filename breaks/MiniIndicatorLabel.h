#pragma once

#include "platform/gfx/TextLayout.h"

#include <memory>

namespace ui {
class TextField;
}

namespace ostrel {

class Wall;

// The one line of a compact break readout: "00" until its first refresh, in small digits of
// the secondary colour, 440 points wide, centred in the wall and 4 points clear of its bottom.
std::shared_ptr<ui::TextField> addMiniIndicatorLabel(Wall& wall, gfx::TextAlignment alignment);

}
