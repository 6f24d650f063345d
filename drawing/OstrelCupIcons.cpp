#include "drawing/CupIconPaths.h"
#include "drawing/OstrelStyleKit.h"
#include "drawing/PathPieces.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"

namespace ostrel {

using namespace cupIconPaths;

namespace {

constexpr gfx::Size kCupIcon { 22, 22 };

gfx::Path moved(const gfx::Path& path, double dy) { return path.transformed(gfx::AffineTransform::translation(0, dy)); }

gfx::Path mirrored(const gfx::Path& path, double axis) { return mirroredAbout(path, axis); }

void fillEach(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor, std::initializer_list<gfx::Path> paths)
{
    RoutineFrame routine(frame, resizing, kCupIcon);
    routine.context().setFillColor(iconColor);
    for (const gfx::Path& path : paths)
        path.fill();
}

}

void OstrelStyleKit::drawCoffeeCupIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    // The cup sits 2 higher and its steam 1 higher; the wisps then reach past the top edge.
    fillEach(frame, resizing, iconColor, { moved(plainLeftWisp(), 1), moved(plainRightWisp(), 1), moved(plainCupBody(), 2), moved(plainCupHandle(), 2) });
}

void OstrelStyleKit::drawCoffeeCupIcon1(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    fillEach(frame, resizing, iconColor, { plainCupBody(), plainCupHandle(), mirrored(plainLeftWisp(), 9), mirrored(plainRightWisp(), 9) });
}

void OstrelStyleKit::drawCoffeeCupIcon2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    fillEach(frame, resizing, iconColor, { plainLeftWisp(), plainRightWisp(), plainCupBody(), plainCupHandle() });
}

void OstrelStyleKit::drawCoffeeCupIcon3(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    auto wisps = saucerWisps();
    fillEach(frame, resizing, iconColor, { saucerHandleLoop(), saucerCupBody(), saucer(), wisps[0], wisps[1], wisps[2] });
}

void OstrelStyleKit::drawCoffeeCupIcon4(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    auto wisps = saucerWisps();
    fillEach(frame, resizing, iconColor,
        { saucerHandleLoop(), saucerCupBody(), saucer(), mirrored(wisps[0], 11.5), mirrored(wisps[1], 11.5), mirrored(wisps[2], 11.5) });
}

std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfCoffeeCupIcon(const gfx::Color& iconColor) { return designImage(kCupIcon, &drawCoffeeCupIcon, iconColor); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfCoffeeCupIcon1(const gfx::Color& iconColor) { return designImage(kCupIcon, &drawCoffeeCupIcon1, iconColor); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfCoffeeCupIcon2(const gfx::Color& iconColor) { return designImage(kCupIcon, &drawCoffeeCupIcon2, iconColor); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfCoffeeCupIcon3(const gfx::Color& iconColor) { return designImage(kCupIcon, &drawCoffeeCupIcon3, iconColor); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfCoffeeCupIcon4(const gfx::Color& iconColor) { return designImage(kCupIcon, &drawCoffeeCupIcon4, iconColor); }

void OstrelStyleKit::publishCupIcons(KitSelectorTable& t)
{
    using K = OstrelStyleKit;
    t.add("drawCoffeeCupIconWithFrame:resizing:iconColor:", &K::drawCoffeeCupIcon);
    t.add("drawCoffeeCupIcon1WithFrame:resizing:iconColor:", &K::drawCoffeeCupIcon1);
    t.add("drawCoffeeCupIcon2WithFrame:resizing:iconColor:", &K::drawCoffeeCupIcon2);
    t.add("drawCoffeeCupIcon3WithFrame:resizing:iconColor:", &K::drawCoffeeCupIcon3);
    t.add("drawCoffeeCupIcon4WithFrame:resizing:iconColor:", &K::drawCoffeeCupIcon4);
    t.add("imageOfCoffeeCupIconWithIconColor:", &K::imageOfCoffeeCupIcon);
    t.add("imageOfCoffeeCupIcon1WithIconColor:", &K::imageOfCoffeeCupIcon1);
    t.add("imageOfCoffeeCupIcon2WithIconColor:", &K::imageOfCoffeeCupIcon2);
    t.add("imageOfCoffeeCupIcon3WithIconColor:", &K::imageOfCoffeeCupIcon3);
    t.add("imageOfCoffeeCupIcon4WithIconColor:", &K::imageOfCoffeeCupIcon4);
}

}
