#pragma once

#include <memory>

namespace ui {
class TextField;
}

namespace ostrel {

class Wall;

// The one line of small grey digits that the compact duration indicators show, centred in
// their wall, "00" until first refreshed.
std::shared_ptr<ui::TextField> addMiniIndicatorLabel(Wall& wall);

}
