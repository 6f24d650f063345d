#include "drawing/OstrelStyleKit.h"
#include "drawing/StateIconPaths.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"

namespace ostrel {

using namespace stateIconPaths;

namespace {

constexpr gfx::Size kStateIcon { 22, 22 };

// Each path is its own fill: separate paths that overlap show darker in a translucent colour.
void fillEach(RoutineFrame& routine, const gfx::Color& iconColor, std::initializer_list<gfx::Path> paths)
{
    routine.context().setFillColor(iconColor);
    for (const gfx::Path& path : paths)
        path.fill();
}

}

void OstrelStyleKit::drawTargetIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    RoutineFrame routine(frame, resizing, kStateIcon);
    fillEach(routine, iconColor, { targetOuterRing(), targetInnerRing(), targetDart() });
}

void OstrelStyleKit::drawPauseIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    RoutineFrame routine(frame, resizing, kStateIcon);
    fillEach(routine, iconColor, { pauseBar(false), pauseBar(true) });
}

void OstrelStyleKit::drawClockFaceIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor, double endAngle)
{
    RoutineFrame routine(frame, resizing, kStateIcon);
    gfx::GraphicsContext& context = routine.context();
    context.save();
    // The face is built around (12, 12); this puts it in the middle of the design.
    context.translate(-1, -1);
    fillEach(routine, iconColor, { clockSector(endAngle), clockRing() });
    context.restore();
}

void OstrelStyleKit::drawStarIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    RoutineFrame routine(frame, resizing, kStateIcon);
    fillEach(routine, iconColor, { star() });
}

void OstrelStyleKit::drawGearIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    RoutineFrame routine(frame, resizing, kStateIcon);
    fillEach(routine, iconColor, { gear() });
}

void OstrelStyleKit::drawProfileIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    RoutineFrame routine(frame, resizing, kStateIcon);
    fillEach(routine, iconColor, { profileHead(), profileBrain() });
}

void OstrelStyleKit::drawProfileIcon2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    RoutineFrame routine(frame, resizing, kStateIcon);
    fillEach(routine, iconColor, { personInCircle() });
}

void OstrelStyleKit::drawTreeIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    RoutineFrame routine(frame, resizing, kStateIcon);
    gfx::GraphicsContext& context = routine.context();
    context.setFillColor(iconColor);
    for (const gfx::Rect& oval : treeCrownOvals())
        gfx::Path::oval(oval).fill();
    gfx::Path::oval(kTreeCentre).fill();
    // Only the trunk is lighter: 80 % of the colour's own opacity.
    context.save();
    context.setAlpha(0.8);
    gfx::Path::rect(kTreeTrunk).fill();
    context.restore();
}

void OstrelStyleKit::drawWorkingIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    RoutineFrame routine(frame, resizing, kStateIcon);
    fillEach(routine, iconColor, { workingFigure() });
}

std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfTargetIcon(const gfx::Color& iconColor) { return designImage(kStateIcon, &drawTargetIcon, iconColor); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfPauseIcon(const gfx::Color& iconColor) { return designImage(kStateIcon, &drawPauseIcon, iconColor); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfStarIcon(const gfx::Color& iconColor) { return designImage(kStateIcon, &drawStarIcon, iconColor); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfGearIcon(const gfx::Color& iconColor) { return designImage(kStateIcon, &drawGearIcon, iconColor); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfProfileIcon(const gfx::Color& iconColor) { return designImage(kStateIcon, &drawProfileIcon, iconColor); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfProfileIcon2(const gfx::Color& iconColor) { return designImage(kStateIcon, &drawProfileIcon2, iconColor); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfTreeIcon(const gfx::Color& iconColor) { return designImage(kStateIcon, &drawTreeIcon, iconColor); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfWorkingIcon(const gfx::Color& iconColor) { return designImage(kStateIcon, &drawWorkingIcon, iconColor); }

std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfClockFaceIcon(const gfx::Color& iconColor, double endAngle)
{
    return routineImage(kStateIcon, [iconColor, endAngle](const gfx::Rect& bounds) {
        drawClockFaceIcon(bounds, ResizingBehavior::aspectFit, iconColor, endAngle);
    });
}

void OstrelStyleKit::publishStateIcons(KitSelectorTable& t)
{
    using K = OstrelStyleKit;
    t.add("drawTargetIconWithFrame:resizing:iconColor:", &K::drawTargetIcon);
    t.add("drawPauseIconWithFrame:resizing:iconColor:", &K::drawPauseIcon);
    t.add("drawClockFaceIconWithFrame:resizing:iconColor:endAngle:", &K::drawClockFaceIcon);
    t.add("drawStarIconWithFrame:resizing:iconColor:", &K::drawStarIcon);
    t.add("drawGearIconWithFrame:resizing:iconColor:", &K::drawGearIcon);
    t.add("drawProfileIconWithFrame:resizing:iconColor:", &K::drawProfileIcon);
    t.add("drawProfileIcon2WithFrame:resizing:iconColor:", &K::drawProfileIcon2);
    t.add("drawTreeIconWithFrame:resizing:iconColor:", &K::drawTreeIcon);
    t.add("drawWorkingIconWithFrame:resizing:iconColor:", &K::drawWorkingIcon);
    t.add("imageOfTargetIconWithIconColor:", &K::imageOfTargetIcon);
    t.add("imageOfPauseIconWithIconColor:", &K::imageOfPauseIcon);
    t.add("imageOfClockFaceIconWithIconColor:endAngle:", &K::imageOfClockFaceIcon);
    t.add("imageOfStarIconWithIconColor:", &K::imageOfStarIcon);
    t.add("imageOfGearIconWithIconColor:", &K::imageOfGearIcon);
    t.add("imageOfProfileIconWithIconColor:", &K::imageOfProfileIcon);
    t.add("imageOfProfileIcon2WithIconColor:", &K::imageOfProfileIcon2);
    t.add("imageOfTreeIconWithIconColor:", &K::imageOfTreeIcon);
    t.add("imageOfWorkingIconWithIconColor:", &K::imageOfWorkingIcon);
}

}
