#pragma once

#include <memory>
#include <string>

namespace gfx {
class Image;
}

namespace ostrel {

// The program's own pictures by name: the two menu-bar icons (template images, drawn in the
// status item's text colour) and the application icon. Our own art, drawn in code.
class IconManager {
public:
    // "plain_o_menu_bar" when "menubarIconChoice" is not 0, else "menu_bar_icon".
    static std::shared_ptr<gfx::Image> menuBarIcon();
    static std::shared_ptr<gfx::Image> applicationIcon();
    // One of the names above; none for another name.
    static std::shared_ptr<gfx::Image> imageNamed(const std::string& name);
};

}
