#include "platform/ui/ScreenManager.h"

namespace ui {

bool ScreenManager::isSingleScreen() { return Screen::screens().size() == 1; }

std::optional<Screen> ScreenManager::screenForMouseLocation(Point location)
{
    // Frames are closed here: a point on the shared edge of two displays belongs to the
    // first of them, as the window system lists them.
    for (const Screen& screen : Screen::screens()) {
        const Rect& f = screen.frame;
        if (location.x >= f.minX() && location.x <= f.maxX() && location.y >= f.minY() && location.y <= f.maxY())
            return screen;
    }
    return std::nullopt;
}

}
