#include "drawing/OptionIconPaths.h"
#include "drawing/OstrelStyleKit.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"

namespace ostrel {

using namespace optionIconPaths;

namespace {

void fillOne(const gfx::Rect& frame, ResizingBehavior resizing, gfx::Size design, const gfx::Color& iconColor, const gfx::Path& path)
{
    RoutineFrame routine(frame, resizing, design);
    routine.context().setFillColor(iconColor);
    path.fill();
}

gfx::Path statePreferencesSliders()
{
    return sliderGlyph(4.00, 19.00, 1.14, { 3.92, 9.00, 14.08 }, { 14.28, 8.87, 14.28 }, { 3.47, 3.83 }, { 1.82, 2.01 }, 13.07, 15.56, 7.60, 10.08);
}

gfx::Path labelOptionSliders()
{
    return sliderGlyph(1.00, 19.59, 1.22, { 3.06, 8.50, 13.94 }, { 13.73, 7.03, 13.73 }, { 4.30, 4.11 }, { 2.25, 2.15 }, 12.24, 15.33, 5.46, 8.53);
}

}

void OstrelStyleKit::drawLabelOption(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    fillOne(frame, resizing, { 16, 16 }, iconColor, smallGear());
}

void OstrelStyleKit::drawLabelOption2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    fillOne(frame, resizing, { 18, 18 }, iconColor, crossedTools(ToolsDrawing::glyph, { 1, 2, 15, 14.87 }));
}

void OstrelStyleKit::drawLabelOption3(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    fillOne(frame, resizing, { 18, 18 }, iconColor, brush());
}

void OstrelStyleKit::drawLabelOption4(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    fillOne(frame, resizing, { 20, 18 }, iconColor, labelOptionSliders());
}

void OstrelStyleKit::drawStatePreferencesIcon2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    fillOne(frame, resizing, { 21, 18 }, iconColor, statePreferencesSliders());
}

void OstrelStyleKit::drawSwapIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    fillOne(frame, resizing, { 19, 18 }, iconColor, swapWindows());
}

void OstrelStyleKit::drawCommandButtonIcon(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    RoutineFrame routine(frame, resizing, { 29, 16 });
    gfx::GraphicsContext& context = routine.context();
    context.setFillColor(iconColor);
    smallGear().fill();
    context.setStrokeColor(iconColor);
    commandChevron().stroke();
}

// The same icon under a second name.
void OstrelStyleKit::drawCommandButtonIcon2(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& iconColor)
{
    drawCommandButtonIcon(frame, resizing, iconColor);
}

std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfLabelOption(const gfx::Color& c) { return designImage({ 16, 16 }, &drawLabelOption, c); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfLabelOption2(const gfx::Color& c) { return designImage({ 18, 18 }, &drawLabelOption2, c); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfLabelOption3(const gfx::Color& c) { return designImage({ 18, 18 }, &drawLabelOption3, c); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfLabelOption4(const gfx::Color& c) { return designImage({ 20, 18 }, &drawLabelOption4, c); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfStatePreferencesIcon2(const gfx::Color& c) { return designImage({ 21, 18 }, &drawStatePreferencesIcon2, c); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfSwapIcon(const gfx::Color& c) { return designImage({ 19, 18 }, &drawSwapIcon, c); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfCommandButtonIcon(const gfx::Color& c) { return designImage({ 29, 16 }, &drawCommandButtonIcon, c); }
std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfCommandButtonIcon2(const gfx::Color& c) { return designImage({ 29, 16 }, &drawCommandButtonIcon2, c); }

void OstrelStyleKit::publishOptionIcons(KitSelectorTable& t)
{
    using K = OstrelStyleKit;
    t.add("drawLabelOptionWithFrame:resizing:iconColor:", &K::drawLabelOption);
    t.add("drawLabelOption2WithFrame:resizing:iconColor:", &K::drawLabelOption2);
    t.add("drawLabelOption3WithFrame:resizing:iconColor:", &K::drawLabelOption3);
    t.add("drawLabelOption4WithFrame:resizing:iconColor:", &K::drawLabelOption4);
    t.add("drawStatePreferencesIcon2WithFrame:resizing:iconColor:", &K::drawStatePreferencesIcon2);
    t.add("drawSwapIconWithFrame:resizing:iconColor:", &K::drawSwapIcon);
    t.add("drawCommandButtonIconWithFrame:resizing:iconColor:", &K::drawCommandButtonIcon);
    t.add("drawCommandButtonIcon2WithFrame:resizing:iconColor:", &K::drawCommandButtonIcon2);
    t.add("imageOfLabelOptionWithIconColor:", &K::imageOfLabelOption);
    t.add("imageOfLabelOption2WithIconColor:", &K::imageOfLabelOption2);
    t.add("imageOfLabelOption3WithIconColor:", &K::imageOfLabelOption3);
    t.add("imageOfLabelOption4WithIconColor:", &K::imageOfLabelOption4);
    t.add("imageOfStatePreferencesIcon2WithIconColor:", &K::imageOfStatePreferencesIcon2);
    t.add("imageOfSwapIconWithIconColor:", &K::imageOfSwapIcon);
    t.add("imageOfCommandButtonIconWithIconColor:", &K::imageOfCommandButtonIcon);
    t.add("imageOfCommandButtonIcon2WithIconColor:", &K::imageOfCommandButtonIcon2);
}

}
