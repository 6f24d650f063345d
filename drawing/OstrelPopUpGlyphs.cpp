#include "drawing/OstrelStyleKit.h"
#include "drawing/PopUpGlyphPaths.h"
#include "platform/gfx/GraphicsContext.h"

namespace ostrel {

using namespace popUpGlyphPaths;

namespace {

constexpr gfx::Size kPopUpIcon { 180, 180 };

// A bar of the arrows drawn in its own turned axes, undone before the next piece.
void fillTurned(gfx::GraphicsContext& context, gfx::Point offset, double degrees, const gfx::Rect& bar, double radius)
{
    context.save();
    context.translate(offset.x, offset.y);
    context.rotate(degrees);
    gfx::Path::roundedRect(bar, radius, radius).fill();
    context.restore();
}

void fillRounded(const gfx::Rect& rect, double radius) { gfx::Path::roundedRect(rect, radius, radius).fill(); }

// The head of the bold arrows: two bars meeting at the tip.
void fillBoldHead(gfx::GraphicsContext& context)
{
    fillTurned(context, { 84.5, 121.5 }, -45, { 0, 0, 60, 15 }, 7.5);
    fillTurned(context, { 85, 91.55 }, 45, { -24, -39, 60, 15 }, 7.5);
}

}

void OstrelStyleKit::drawChevronRight(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    routine.context().setFillColor(tint);
    chevronRight().fill();
}

void OstrelStyleKit::drawNextAction(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    routine.context().setFillColor(tint);
    nextActionArrow().fill();
}

void OstrelStyleKit::drawNextAction2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    gfx::GraphicsContext& context = routine.context();
    context.setFillColor(tint);
    fillRounded({ 32, 82, 16, 16 }, 8);
    fillBoldHead(context);
    fillRounded({ 55, 82, 65, 16 }, 8);
}

void OstrelStyleKit::drawNextAction3(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    gfx::GraphicsContext& context = routine.context();
    context.setFillColor(tint);
    fillRounded({ 32, 82, 16, 16 }, 8);
    fillBoldHead(context);
    fillRounded({ 75, 82, 45, 16 }, 8);
    fillRounded({ 54, 82, 16, 16 }, 8);
}

void OstrelStyleKit::drawNextAction4(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    routine.context().setFillColor(tint);
    fillRounded({ 30, 80, 20, 20 }, 10);
    nextAction4Arrow().fill();
}

void OstrelStyleKit::drawNextAction5(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    routine.context().setFillColor(tint);
    fillRounded({ 30, 80, 20, 20 }, 10);
    nextAction5Arrow().fill();
}

void OstrelStyleKit::drawNextAction6(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    gfx::GraphicsContext& context = routine.context();
    context.setFillColor(tint);
    fillTurned(context, { 86.5, 123.5 }, -45, { 0, 0, 60, 12 }, 6);
    fillTurned(context, { 87.12, 89.43 }, 45, { -24, -36, 60, 12 }, 6);
    fillRounded({ 32, 82, 95, 12 }, 6);
}

void OstrelStyleKit::drawOption(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    routine.context().setFillColor(tint);
    optionSliders().fill();
}

void OstrelStyleKit::drawNavigationAction(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& tint)
{
    RoutineFrame routine(frame, resizing, kPopUpIcon);
    routine.context().setFillColor(tint);
    navigationBrackets().fill();
    navigationPointer().fill();
}

void OstrelStyleKit::publishPopUpGlyphs(KitSelectorTable& t)
{
    using K = OstrelStyleKit;
    t.add("drawChevronRightWithFrame:resizing:tint:", &K::drawChevronRight);
    t.add("drawNextActionWithFrame:resizing:tint:", &K::drawNextAction);
    t.add("drawNextAction2WithFrame:resizing:tint:", &K::drawNextAction2);
    t.add("drawNextAction3WithFrame:resizing:tint:", &K::drawNextAction3);
    t.add("drawNextAction4WithFrame:resizing:tint:", &K::drawNextAction4);
    t.add("drawNextAction5WithFrame:resizing:tint:", &K::drawNextAction5);
    t.add("drawNextAction6WithFrame:resizing:tint:", &K::drawNextAction6);
    t.add("drawOptionWithFrame:resizing:tint:", &K::drawOption);
    t.add("drawNavigationActionWithFrame:resizing:tint:", &K::drawNavigationAction);
}

}
