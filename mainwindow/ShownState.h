#pragma once

#include <memory>

namespace ui {
class View;
}

namespace ostrel {

class Wall;

// What the main window shows of a screen. The screens' base implements it, so the main window
// never needs the screens themselves.
class ShownState {
public:
    virtual ~ShownState() = default;

    // The content column and the row of push buttons under it; either may be missing.
    virtual std::shared_ptr<Wall> infoWall() = 0;
    virtual std::shared_ptr<Wall> buttonWall() = 0;
    // The view to focus when the screen is shown, if any.
    virtual std::shared_ptr<ui::View> firstResponder() = 0;
};

}
