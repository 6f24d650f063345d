#include "shell/IconManager.h"

#include "platform/base/Defaults.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"

#include <cmath>
#include <numbers>

namespace ostrel {

namespace {

constexpr double kMenuBarSide = 18;

// A ring, the letter of the name; the plain one has nothing inside, the other a hand
// standing at a quarter past, the count-down the program is for.
std::shared_ptr<gfx::Image> ringIcon(double side, bool withHand, bool asTemplate, const gfx::Color& colour)
{
    auto image = gfx::Image::create({ side, side }, false, [side, withHand, colour](const gfx::Rect&) {
        auto* context = gfx::GraphicsContext::current();
        if (!context)
            return false;
        double line = side / 8;
        gfx::Path ring = gfx::Path::oval({ line, line, side - 2 * line, side - 2 * line });
        ring.setLineWidth(line * 1.4);
        context->setStrokeColor(colour);
        context->setFillColor(colour);
        ring.stroke();
        if (withHand) {
            gfx::Point centre { side / 2, side / 2 };
            gfx::Path hand;
            hand.moveTo(centre);
            hand.lineTo({ centre.x, side - 3.2 * line });
            hand.moveTo(centre);
            hand.lineTo({ side - 3.2 * line, centre.y });
            hand.setLineWidth(line);
            hand.stroke();
            gfx::Path::oval({ centre.x - line * 0.8, centre.y - line * 0.8, line * 1.6, line * 1.6 }).fill();
        }
        return true;
    });
    image->setTemplate(asTemplate);
    return image;
}

}

std::shared_ptr<gfx::Image> IconManager::menuBarIcon()
{
    auto store = base::Defaults::standard();
    bool plain = store && store->integer("menubarIconChoice") != 0;
    return imageNamed(plain ? "plain_o_menu_bar" : "menu_bar_icon");
}

std::shared_ptr<gfx::Image> IconManager::applicationIcon() { return imageNamed("icon.icns"); }

std::shared_ptr<gfx::Image> IconManager::imageNamed(const std::string& name)
{
    if (name == "menu_bar_icon")
        return ringIcon(kMenuBarSide, true, true, gfx::colors::black);
    if (name == "plain_o_menu_bar")
        return ringIcon(kMenuBarSide, false, true, gfx::colors::black);
    if (name == "icon.icns")
        return ringIcon(128, true, false, gfx::Color::rgb(0.95, 0.55, 0.15));
    return nullptr;
}

}
