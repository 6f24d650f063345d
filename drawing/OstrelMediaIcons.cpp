#include "drawing/MediaIconPaths.h"
#include "drawing/OstrelStyleKit.h"
#include "drawing/PopUpGlyphPaths.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"

namespace ostrel {

using namespace mediaIconPaths;

namespace {

constexpr gfx::Size kPopUpIcon { 180, 180 };
constexpr gfx::Size kDownArrow { 20, 18 };
constexpr gfx::Size kPadIcon { 18, 18 };

void fillOne(const gfx::Rect& frame, ResizingBehavior resizing, gfx::Size design, const gfx::Color& tint, const gfx::Path& path)
{
    RoutineFrame routine(frame, resizing, design);
    routine.context().setFillColor(tint);
    path.fill();
}

void fillTurned(gfx::GraphicsContext& context, gfx::Point offset, double degrees, const gfx::Rect& bar)
{
    context.save();
    context.translate(offset.x, offset.y);
    context.rotate(degrees);
    gfx::Path::roundedRect(bar, 6, 6).fill();
    context.restore();
}

}

void OstrelStyleKit::drawStop(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint) { fillOne(frame, resizing, kPopUpIcon, tint, stop()); }
void OstrelStyleKit::drawPlay(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint) { fillOne(frame, resizing, kPopUpIcon, tint, play()); }
void OstrelStyleKit::drawMute(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint) { fillOne(frame, resizing, kPopUpIcon, tint, mute()); }
void OstrelStyleKit::drawUnmute(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint) { fillOne(frame, resizing, kPopUpIcon, tint, unmute()); }

void OstrelStyleKit::drawStatistics(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    fillOne(frame, resizing, kPopUpIcon, tint, statistics());
}

void OstrelStyleKit::drawUpArrow(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    fillOne(frame, resizing, kPopUpIcon, tint, popUpGlyphPaths::upArrow());
}

void OstrelStyleKit::drawDownArrow(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    fillOne(frame, resizing, kDownArrow, tint, popUpGlyphPaths::downArrow());
}

void OstrelStyleKit::drawCanvas2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    RoutineFrame routine(frame, resizing, { 104, 81 });
    gfx::GraphicsContext& context = routine.context();
    context.setFillColor(tint);
    fillTurned(context, { 55.12, 39.94 }, 45, { -24, -36, 60, 12 });
    fillTurned(context, { 54.5, 74.01 }, -45, { 0, 0, 60, 12 });
    gfx::Path::roundedRect({ 0, 32.51, 95, 12 }, 6, 6).fill();
}

void OstrelStyleKit::drawPadIconWithCustomColor(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    RoutineFrame routine(frame, resizing, kPadIcon);
    gfx::GraphicsContext& context = routine.context();
    context.save();
    context.setShadow(scaledShadow({ gfx::colors::black, { 0.5, -0.5 }, 1 }, routine.shadowScale()));
    // Pad and strip cast one shadow together.
    drawAsOneLayer([&] {
        context.setFillColor(tint);
        gfx::Path::roundedRect({ 3, 1, 12, 15 }, 2, 2).fill();
        context.setFillColor(gfx::colors::black);
        gfx::Path::rect({ 4, 1, 1, 15 }).fill();
    });
    context.restore();
}

std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfUpArrow(const gfx::Color& tint) { return designImage(kPopUpIcon, &drawUpArrow, tint); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfDownArrow(const gfx::Color& tint) { return designImage(kDownArrow, &drawDownArrow, tint); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfPadIconWithCustomColor(const gfx::Color& tint)
{
    return designImage(kPadIcon, &drawPadIconWithCustomColor, tint);
}

void OstrelStyleKit::publishMediaIcons(KitSelectorTable& t)
{
    using K = OstrelStyleKit;
    t.add("drawCanvas2WithFrame:resizing:tint:", &K::drawCanvas2);
    t.add("drawStopWithFrame:resizing:tint:", &K::drawStop);
    t.add("drawPlayWithFrame:resizing:tint:", &K::drawPlay);
    t.add("drawMuteWithFrame:resizing:tint:", &K::drawMute);
    t.add("drawUnmuteWithFrame:resizing:tint:", &K::drawUnmute);
    t.add("drawStatisticsWithFrame:resizing:tint:", &K::drawStatistics);
    t.add("drawUpArrowWithFrame:resizing:tint:", &K::drawUpArrow);
    t.add("drawDownArrowWithFrame:resizing:tint:", &K::drawDownArrow);
    t.add("drawPadIconWithCustomColorWithFrame:resizing:tint:", &K::drawPadIconWithCustomColor);
    t.add("imageOfUpArrowWithTint:", &K::imageOfUpArrow);
    t.add("imageOfDownArrowWithTint:", &K::imageOfDownArrow);
    t.add("imageOfPadIconWithCustomColorWithTint:", &K::imageOfPadIconWithCustomColor);
}

}
