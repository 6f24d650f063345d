#include "drawing/BackgroundPaths.h"
#include "drawing/OstrelStyleKit.h"
#include "drawing/WindowIconPaths.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/Path.h"

#include <numbers>

namespace ostrel {

namespace {

constexpr gfx::Size kPadIcon { 18, 18 };
// Shared by the pad-selector icons, the help icon and the word-mark.
const gfx::Shadow kIconShadow { gfx::colors::black, { 0.5, -0.5 }, 1 };

void fill(const gfx::Path& path, const gfx::Color& color)
{
    gfx::GraphicsContext::requireCurrent().setFillColor(color);
    path.fill();
}

// The pad-selector icons compose their shapes in one layer that casts the icon shadow once.
void withIconShadow(RoutineFrame& routine, const std::function<void()>& shapes)
{
    gfx::GraphicsContext& context = routine.context();
    context.save();
    context.setShadow(scaledShadow(kIconShadow, routine.shadowScale()));
    drawAsOneLayer(shapes);
    context.restore();
}

void drawPad(const gfx::Rect& frame, ResizingBehavior resizing, const gfx::Color& padColor)
{
    RoutineFrame routine(frame, resizing, kPadIcon);
    withIconShadow(routine, [&] {
        fill(gfx::Path::roundedRect({ 3, 1, 12, 15 }, 2, 2), padColor);
        fill(gfx::Path::rect({ 4, 1, 1, 15 }), gfx::colors::black);
    });
}

// The Later and Scratch pads share one body that takes the pad's colour.
void drawColouredPad(const gfx::Rect& frame, ResizingBehavior resizing, double red, double green, double blue)
{
    drawPad(frame, resizing, { red, green, blue, 1 });
}

void drawNothing(const gfx::Rect& frame, ResizingBehavior resizing, gfx::Size design) { RoutineFrame routine(frame, resizing, design); }

}

void OstrelStyleKit::drawNowPadIcon(const gfx::Rect& frame, ResizingBehavior resizing) { drawPad(frame, resizing, lightYellow()); }

void OstrelStyleKit::drawLaterPadIcon(const gfx::Rect& frame, ResizingBehavior resizing) { drawColouredPad(frame, resizing, 0.722, 0.965, 0.514); }

void OstrelStyleKit::drawScratchPadIcon(const gfx::Rect& frame, ResizingBehavior resizing) { drawColouredPad(frame, resizing, 0.832, 0.757, 0.993); }

void OstrelStyleKit::drawLogBookIcon(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kPadIcon);
    withIconShadow(routine, [] {
        fill(gfx::Path::roundedRect({ 3, 1, 12, 15 }, 1, 1), gfx::colors::white);
        fill(gfx::Path::rect({ 5, 10, 8, 3 }), gfx::colors::black);
    });
}

void OstrelStyleKit::drawStatsIcon(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kPadIcon);
    withIconShadow(routine, [] {
        for (const gfx::Rect& bar : { gfx::Rect { 2, 2, 4, 12 }, gfx::Rect { 7, 2, 4, 8 }, gfx::Rect { 12, 2, 4, 4 } })
            fill(backgroundPaths::topRoundedBar(bar), gfx::colors::white);
    });
}

void OstrelStyleKit::drawHelpIcon(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kPadIcon);
    gfx::GraphicsContext& context = routine.context();
    context.save();
    // No layer: the glyph casts the shadow by itself.
    context.setShadow(scaledShadow(kIconShadow, routine.shadowScale()));
    drawTextBox("?", { 1, 2, 16, 14 }, textStyle(gfx::Font::boldSystem(17), gfx::colors::white, gfx::TextAlignment::center), 0.5);
    context.restore();
}

void OstrelStyleKit::drawLogo(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, { 187, 21 });
    gfx::GraphicsContext& context = routine.context();
    // Each letter casts its own shadow as it is filled, over the ones before it.
    for (const gfx::Path& shape : windowIconPaths::logoShapes()) {
        context.save();
        context.setShadow(scaledShadow(kIconShadow, routine.shadowScale()));
        fill(shape, gfx::colors::white);
        context.restore();
    }
}

void OstrelStyleKit::drawTitleBarRoundButton(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, { 13, 16 });
    fill(gfx::Path::oval({ 1, 1, 12, 12 }), gfx::colors::gray);
}

void OstrelStyleKit::drawEmptyPlaceholderIcon(const gfx::Rect& frame, ResizingBehavior resizing) { drawNothing(frame, resizing, { 20, 18 }); }
void OstrelStyleKit::drawEmptyEndPlaceholderIcon(const gfx::Rect& frame, ResizingBehavior resizing) { drawNothing(frame, resizing, { 29, 18 }); }
void OstrelStyleKit::drawEmptyStartPlaceholderIcon(const gfx::Rect& frame, ResizingBehavior resizing) { drawNothing(frame, resizing, { 24, 18 }); }

void OstrelStyleKit::drawMainWindowMask(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, { 64, 64 });
    fill(gfx::Path::roundedRect({ 0, 0, 64, 64 }, 5, 5), gfx::colors::black);
}

void OstrelStyleKit::drawFilterIcon(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, { 10, 12 });
    fill(windowIconPaths::filterFunnel(), gfx::colors::black);
}

void OstrelStyleKit::drawStatePreferencesIcon(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, { 16, 18 });
    fill(gfx::Path::rect({ 1, 3, 14, 1 }), gfx::colors::white);
    for (const gfx::Rect& dot : { gfx::Rect { 6, 12, 3, 3 }, gfx::Rect { 10, 7, 3, 3 }, gfx::Rect { 3, 2, 3, 3 } })
        fill(gfx::Path::oval(dot), gfx::colors::white);
}

void OstrelStyleKit::drawHelpIndexIcon(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, { 16, 18 });
    for (double y : { 12.0, 8.0, 4.0 }) {
        fill(gfx::Path::rect({ 1, y, 10, 1 }), gfx::colors::white);
        fill(gfx::Path::oval({ 12, y - 0.5, 2, 2 }), gfx::colors::white);
    }
}

void OstrelStyleKit::drawHideIcon(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, kPadIcon);
    gfx::GraphicsContext& context = routine.context();
    const gfx::Color ink { 0, 0, 0, 1 };
    context.save();
    context.translate(9, 9.1);
    context.rotate(0.7094763409356949 * 180 / std::numbers::pi);
    fill(gfx::Path::rect({ -0.58, -8.88, 1.15, 17.75 }), ink);
    context.restore();
    fill(windowIconPaths::hideEye(), ink);
}

void OstrelStyleKit::drawAlternativeUIIcon(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, { 16, 18 });
    gfx::GraphicsContext& context = routine.context();
    context.setFillColor(gfx::colors::white);

    context.save();
    context.translate(8, -1);
    context.rotate(45);
    gfx::Path::rect({ 0, 5, 12, 1 }).fill();
    gfx::Path upper;
    upper.moveTo({ 14, 6 });
    upper.curveTo({ 8, 0 }, { 8, 0 }, { 8, 0 });
    upper.lineTo({ 8, 6 });
    upper.lineTo({ 14, 6 });
    upper.fill();
    context.restore();

    context.save();
    context.translate(3, 5);
    context.rotate(45);
    gfx::Path::rect({ 2, 0, 12, 1 }).fill();
    gfx::Path lower;
    lower.moveTo({ 0, 0 });
    lower.curveTo({ 6, 6 }, { 6, 6 }, { 6, 6 });
    lower.lineTo({ 6, 0 });
    lower.lineTo({ 0, 0 });
    lower.fill();
    context.restore();
}

void OstrelStyleKit::drawCanvas1(const gfx::Rect& frame, ResizingBehavior resizing)
{
    RoutineFrame routine(frame, resizing, { 200, 200 });
    gfx::GraphicsContext& context = routine.context();
    gfx::Shadow shadow = scaledShadow({ gfx::colors::black, { 0, -3 }, 5 }, routine.shadowScale());
    gfx::TextStyle label = textStyle(gfx::Font::named("HelveticaNeue", 12), gfx::colors::black, gfx::TextAlignment::center);

    gfx::Rect outer { 32, 112, 137, 57 };
    context.save();
    context.setShadow(shadow);
    fill(gfx::Path::rect(outer), gfx::colors::green);
    context.restore();
    drawTextBox("Outer Fill", outer, label, 2);

    gfx::Rect inner { 32, 33, 137, 57 };
    fill(gfx::Path::rect(inner), gfx::colors::green);
    drawInnerShadow(gfx::Path::rect(inner), shadow.color, shadow.offset, shadow.blurRadius);
    drawTextBox("Inner Fill", inner, label, 2);
}

#define OSTREL_CACHED_IMAGE(name, width, height)                   \
    std::shared_ptr<gfx::Image> OstrelStyleKit::imageOf##name()    \
    {                                                              \
        static const auto image = designImage({ width, height }, &draw##name); \
        return image;                                              \
    }

OSTREL_CACHED_IMAGE(NowPadIcon, 18, 18)
OSTREL_CACHED_IMAGE(LaterPadIcon, 18, 18)
OSTREL_CACHED_IMAGE(ScratchPadIcon, 18, 18)
OSTREL_CACHED_IMAGE(LogBookIcon, 18, 18)
OSTREL_CACHED_IMAGE(StatsIcon, 18, 18)
OSTREL_CACHED_IMAGE(HelpIcon, 18, 18)
OSTREL_CACHED_IMAGE(EmptyPlaceholderIcon, 20, 18)
OSTREL_CACHED_IMAGE(EmptyEndPlaceholderIcon, 29, 18)
OSTREL_CACHED_IMAGE(EmptyStartPlaceholderIcon, 24, 18)
OSTREL_CACHED_IMAGE(MainWindowMask, 64, 64)
OSTREL_CACHED_IMAGE(FilterIcon, 10, 12)
OSTREL_CACHED_IMAGE(StatePreferencesIcon, 16, 18)
OSTREL_CACHED_IMAGE(HelpIndexIcon, 16, 18)
OSTREL_CACHED_IMAGE(HideIcon, 18, 18)
OSTREL_CACHED_IMAGE(AlternativeUIIcon, 16, 18)

void OstrelStyleKit::publishWindowIcons(KitSelectorTable& t)
{
    using K = OstrelStyleKit;
    t.add("drawNowPadIconWithFrame:resizing:", &K::drawNowPadIcon);
    t.add("drawLaterPadIconWithFrame:resizing:", &K::drawLaterPadIcon);
    t.add("drawScratchPadIconWithFrame:resizing:", &K::drawScratchPadIcon);
    t.add("drawLogBookIconWithFrame:resizing:", &K::drawLogBookIcon);
    t.add("drawStatsIconWithFrame:resizing:", &K::drawStatsIcon);
    t.add("drawHelpIconWithFrame:resizing:", &K::drawHelpIcon);
    t.add("drawLogoWithFrame:resizing:", &K::drawLogo);
    t.add("drawTitleBarRoundButtonWithFrame:resizing:", &K::drawTitleBarRoundButton);
    t.add("drawEmptyPlaceholderIconWithFrame:resizing:", &K::drawEmptyPlaceholderIcon);
    t.add("drawEmptyEndPlaceholderIconWithFrame:resizing:", &K::drawEmptyEndPlaceholderIcon);
    t.add("drawEmptyStartPlaceholderIconWithFrame:resizing:", &K::drawEmptyStartPlaceholderIcon);
    t.add("drawMainWindowMaskWithFrame:resizing:", &K::drawMainWindowMask);
    t.add("drawFilterIconWithFrame:resizing:", &K::drawFilterIcon);
    t.add("drawStatePreferencesIconWithFrame:resizing:", &K::drawStatePreferencesIcon);
    t.add("drawHelpIndexIconWithFrame:resizing:", &K::drawHelpIndexIcon);
    t.add("drawHideIconWithFrame:resizing:", &K::drawHideIcon);
    t.add("drawAlternativeUIIconWithFrame:resizing:", &K::drawAlternativeUIIcon);
    t.add("drawCanvas1WithFrame:resizing:", &K::drawCanvas1);
    t.add("imageOfNowPadIcon", &K::imageOfNowPadIcon);
    t.add("imageOfLaterPadIcon", &K::imageOfLaterPadIcon);
    t.add("imageOfScratchPadIcon", &K::imageOfScratchPadIcon);
    t.add("imageOfLogBookIcon", &K::imageOfLogBookIcon);
    t.add("imageOfStatsIcon", &K::imageOfStatsIcon);
    t.add("imageOfHelpIcon", &K::imageOfHelpIcon);
    t.add("imageOfEmptyPlaceholderIcon", &K::imageOfEmptyPlaceholderIcon);
    t.add("imageOfEmptyEndPlaceholderIcon", &K::imageOfEmptyEndPlaceholderIcon);
    t.add("imageOfEmptyStartPlaceholderIcon", &K::imageOfEmptyStartPlaceholderIcon);
    t.add("imageOfMainWindowMask", &K::imageOfMainWindowMask);
    t.add("imageOfFilterIcon", &K::imageOfFilterIcon);
    t.add("imageOfStatePreferencesIcon", &K::imageOfStatePreferencesIcon);
    t.add("imageOfHelpIndexIcon", &K::imageOfHelpIndexIcon);
    t.add("imageOfHideIcon", &K::imageOfHideIcon);
    t.add("imageOfAlternativeUIIcon", &K::imageOfAlternativeUIIcon);
}

}
