#include "drawing/BackgroundPaths.h"
#include "drawing/OstrelStyleKit.h"
#include "platform/gfx/Gradient.h"
#include "platform/gfx/GraphicsContext.h"
#include "platform/gfx/Image.h"

namespace ostrel {

using namespace backgroundPaths;

namespace {

const gfx::Color kLightBlue { 0.900, 0.940, 1.000, 1 };
const gfx::Color kBlueGrey { 0.902, 0.929, 0.970, 1 };

// Three stops whose middle one is the half-way mix of the outer two.
gfx::Gradient threeStops(const gfx::Color& first, const gfx::Color& third, double start, double middle, double last)
{
    return gfx::Gradient(std::vector<gfx::Gradient::Stop> {
        { first, start }, { colorRule::blend(first, third, 0.5), middle }, { third, last } });
}

gfx::Gradient windowBars() { return threeStops(OstrelStyleKit::n8(), OstrelStyleKit::n6(), 0, 0.1, 1); }
gfx::Gradient commandBar() { return threeStops(OstrelStyleKit::n6(), OstrelStyleKit::n4(), 0, 0.5, 1); }
gfx::Gradient labelBar() { return threeStops(OstrelStyleKit::n4(), OstrelStyleKit::n2(), 0, 0.95, 1); }
gfx::Gradient blueOption() { return threeStops(kLightBlue, kBlueGrey, 0, 0.49, 0.99); }

void fill(const gfx::Path& path, const gfx::Color& color)
{
    gfx::GraphicsContext::requireCurrent().setFillColor(color);
    path.fill();
}

void fillRect(const gfx::Rect& rect, const gfx::Color& color) { fill(gfx::Path::rect(rect), color); }

// The bar of the label, default and option fragments: from 3 points left of the frame to
// its right edge.
gfx::Rect fragmentBar(const gfx::Rect& frame) { return { frame.minX() - 3, frame.minY(), frame.width() + 3, frame.height() }; }

// The option bar and the in-between wall: one bar with a dark and a light line on top.
void drawBarWithTopLines(const gfx::Rect& frame, const gfx::Color& barColor)
{
    fill(topRoundedBar(fragmentBar(frame)), barColor);
    fillRect({ frame.minX(), frame.maxY() - 2, frame.width(), 1 }, OstrelStyleKit::n1());
    fillRect({ frame.minX(), frame.maxY() - 1, frame.width(), 1 }, OstrelStyleKit::n6());
}

}

void OstrelStyleKit::drawBackground(const gfx::Rect& frame)
{
    double width = wholeWidth(frame);
    fillRect(frame, n2());
    windowBars().drawInPath(gfx::Path::rect({ frame.minX(), frame.minY(), width, 37 }), 90);
    fillRect({ frame.minX(), frame.minY() + 36, width, 1 }, n8());
    fillRect({ frame.minX(), frame.minY() + 35.5, width, 1 }, n1());
    windowBars().drawInPath(gfx::Path::rect({ frame.minX(), frame.maxY() - 37, width, 36 }), -90);
}

void OstrelStyleKit::drawAlternativeOption(const gfx::Rect& frame) { blueOption().drawInPath(alternativeOption(frame), -90); }

void OstrelStyleKit::drawLogBookEntry(const gfx::Rect& frame)
{
    blueOption().drawInPath(gfx::Path::rect({ frame.minX(), frame.minY(), frame.width() + 0.5, frame.height() }), 0);
}

void OstrelStyleKit::drawTagTokenFieldBackground(const gfx::Rect& frame) { fill(gfx::Path::roundedRect(frame, 1, 1), n4()); }

void OstrelStyleKit::drawPreferencesBackground(const gfx::Rect& frame) { fillRect(frame, commandWindowBackgroundColor()); }

void OstrelStyleKit::drawDummyTitleFragmentText(const gfx::Rect& frame)
{
    gfx::Rect box { frame.minX() + 2, frame.minY() + 1, frame.width() - 3, frame.height() - 2 };
    drawTextBox("Define Objective", box, textStyle(gfx::Font::system(gfx::Font::systemFontSize), gfx::colors::black, gfx::TextAlignment::left), 0.5);
}

void OstrelStyleKit::drawTitleFragmentBar(const gfx::Rect& frame)
{
    fill(topRoundedBar({ frame.minX() - 16, frame.minY(), frame.width() + 58, frame.height() }), n6());
}

void OstrelStyleKit::drawFirstLabelFragmentBar(const gfx::Rect& frame) { labelBar().drawInPath(topRoundedBar(fragmentBar(frame)), 90); }

void OstrelStyleKit::drawDefaultFragmentBackground(const gfx::Rect& frame) { fill(topRoundedBar(fragmentBar(frame)), n4()); }

void OstrelStyleKit::drawLabelFragmentBar(const gfx::Rect& frame)
{
    labelBar().drawInPath(topRoundedBar(fragmentBar(frame)), 90);
    fillRect({ frame.minX(), frame.maxY() - 2, frame.width(), 1 }, n2());
    gfx::Rect line { frame.minX(), frame.maxY() - 1, frame.width(), 1 };
    fillRect(line, n4());
    // A frame-only routine: the shadow is set as it is, unscaled.
    drawInnerShadow(gfx::Path::rect(line), gfx::colors::black.withAlpha(0.09), { 3, -3 }, 5);
}

void OstrelStyleKit::drawOptionFragmentBar(const gfx::Rect& frame) { drawBarWithTopLines(frame, n3()); }

void OstrelStyleKit::drawInbetweenWall(const gfx::Rect& frame) { drawBarWithTopLines(frame, n2()); }

void OstrelStyleKit::drawCalendarNoEvents(const gfx::Rect& frame)
{
    // Laid out 435 wide from the top-left corner whatever the frame's width.
    drawTextBox("No Calendar Events.", { frame.minX(), frame.maxY() - 32, 435, 20 },
        textStyle(gfx::Font::system(20), textOnSlate(), gfx::TextAlignment::center));
    drawTextBox("Use Ctrl+D to quickly enter a duration.", { frame.minX(), frame.maxY() - 54, 435, 20 },
        textStyle(gfx::Font::system(gfx::Font::miniSystemFontSize), hintOnSlate(), gfx::TextAlignment::center), 0.5);
}

void OstrelStyleKit::drawCommandWindowBackground(const gfx::Rect& frame)
{
    double width = wholeWidth(frame);
    fill(gfx::Path::roundedRect(frame, 9, 9), commandWindowBackgroundColor());
    commandBar().drawInPath(commandBottomBar(frame), 90);
    fillRect({ frame.minX(), frame.minY() + 31, width, 1 }, n8());
    fillRect({ frame.minX(), frame.minY() + 30.5, width, 1 }, n1());
}

void OstrelStyleKit::drawMessageWindowBackground(const gfx::Rect& frame)
{
    gfx::Path window = gfx::Path::roundedRect(frame, 9, 9);
    windowBars().drawInPath(window, -90);
    window.setLineWidth(0.5);
    window.setLineCap(gfx::LineCap::round);
    window.setLineJoin(gfx::LineJoin::round);
    gfx::GraphicsContext::requireCurrent().setStrokeColor(n0());
    window.stroke();
}

std::shared_ptr<gfx::Image> OstrelStyleKit::imageOfMessageWindowBackground(gfx::Size imageSize)
{
    return routineImage(imageSize, [](const gfx::Rect& bounds) { drawMessageWindowBackground(bounds); });
}

void OstrelStyleKit::publishBackgrounds(KitSelectorTable& t)
{
    using K = OstrelStyleKit;
    t.add("drawBackgroundWithFrame:", &K::drawBackground);
    t.add("drawInbetweenWallWithFrame:", &K::drawInbetweenWall);
    t.add("drawLogBookEntryWithFrame:", &K::drawLogBookEntry);
    t.add("drawPreferencesBackgroundWithFrame:", &K::drawPreferencesBackground);
    t.add("drawCommandWindowBackgroundWithFrame:", &K::drawCommandWindowBackground);
    t.add("drawMessageWindowBackgroundWithFrame:", &K::drawMessageWindowBackground);
    t.add("drawTitleFragmentBarWithFrame:", &K::drawTitleFragmentBar);
    t.add("drawFirstLabelFragmentBarWithFrame:", &K::drawFirstLabelFragmentBar);
    t.add("drawLabelFragmentBarWithFrame:", &K::drawLabelFragmentBar);
    t.add("drawOptionFragmentBarWithFrame:", &K::drawOptionFragmentBar);
    t.add("drawCalendarNoEventsWithFrame:", &K::drawCalendarNoEvents);
    t.add("drawAlternativeOptionWithFrame:", &K::drawAlternativeOption);
    t.add("drawTagTokenFieldBackgroundWithFrame:", &K::drawTagTokenFieldBackground);
    t.add("drawDummyTitleFragmentTextWithFrame:", &K::drawDummyTitleFragmentText);
    t.add("drawDefaultFragmentBackgroundWithFrame:", &K::drawDefaultFragmentBackground);
    t.add("imageOfMessageWindowBackgroundWithImageSize:", &K::imageOfMessageWindowBackground);
}

}
