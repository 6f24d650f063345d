#include "drawing/OstrelStyleKit.h"

namespace ostrel {

using namespace colorRule;

OSTREL_KIT_COLOR(OstrelStyleKit, brightFrame, rgb(0.6, 0.6, 0.6))
OSTREL_KIT_COLOR(OstrelStyleKit, darkFrame, rgb(0.5, 0.5, 0.5))
OSTREL_KIT_COLOR(OstrelStyleKit, n10, rgb(0.203, 0.222, 0.26))
OSTREL_KIT_COLOR(OstrelStyleKit, n8, rgb(0.203, 0.222, 0.26))
OSTREL_KIT_COLOR(OstrelStyleKit, n6, rgb(0.226, 0.247, 0.29))
OSTREL_KIT_COLOR(OstrelStyleKit, n4, rgb(0.25, 0.273, 0.32))
OSTREL_KIT_COLOR(OstrelStyleKit, n3, rgb(0.265, 0.29, 0.34))
OSTREL_KIT_COLOR(OstrelStyleKit, n2, rgb(0.273, 0.299, 0.35))
OSTREL_KIT_COLOR(OstrelStyleKit, n1, rgb(0.289, 0.316, 0.37))
OSTREL_KIT_COLOR(OstrelStyleKit, n0, rgb(0.343, 0.375, 0.44))
OSTREL_KIT_COLOR(OstrelStyleKit, textOnSlate, blend(n0(), gfx::colors::white, 0.65))
OSTREL_KIT_COLOR(OstrelStyleKit, hintOnSlate, blend(n0(), gfx::colors::white, 0.45))
OSTREL_KIT_COLOR(OstrelStyleKit, lightYellow, rgb(0.962, 0.945, 0.625))
OSTREL_KIT_COLOR(OstrelStyleKit, goodFocusColor, rgb(0.265, 0.575, 0.0))
OSTREL_KIT_COLOR(OstrelStyleKit, commandHighlightedTitle, alphaCopy(commandSearchFieldActive(), 1.0))
OSTREL_KIT_COLOR(OstrelStyleKit, commandHighlightedByLine, blend(commandHighlightedTitle(), gfx::colors::black, 0.3))
OSTREL_KIT_COLOR(OstrelStyleKit, commandTitle, rgb(0.95, 0.95, 0.95))
OSTREL_KIT_COLOR(OstrelStyleKit, commandByLine, brightnessReplacement(commandTitle(), 0.5))
OSTREL_KIT_COLOR(OstrelStyleKit, commandHighlightedButDisabled, brightnessReplacement(commandHighlightedTitle(), 0.7))
OSTREL_KIT_COLOR(OstrelStyleKit, commandSearchFieldInactive, rgb(0.686, 0.686, 0.686))
OSTREL_KIT_COLOR(OstrelStyleKit, commandSearchFieldActive, rgb(0.388, 0.894, 0.988))
OSTREL_KIT_COLOR(OstrelStyleKit, commandWindowBackgroundColor, rgb(0.247, 0.271, 0.318))
OSTREL_KIT_COLOR(OstrelStyleKit, workingColor, rgb(1.0, 0.874, 0.31))
OSTREL_KIT_COLOR(OstrelStyleKit, restfullColor, rgb(0.0, 0.867, 1.0))
OSTREL_KIT_COLOR(OstrelStyleKit, prepareWorkingColor, rgb(0.8, 0.728, 0.408))
OSTREL_KIT_COLOR(OstrelStyleKit, restColor, rgb(0.0, 1.0, 0.148))
OSTREL_KIT_COLOR(OstrelStyleKit, prepareRestColor, rgb(0.16, 0.8, 0.256))
OSTREL_KIT_COLOR(OstrelStyleKit, pausedColor, rgb(0.733, 0.408, 0.95))

void OstrelStyleKit::drawPadBackground(const gfx::Rect&) { }
void OstrelStyleKit::drawSegmentedControl(const gfx::Rect&) { }
void OstrelStyleKit::drawHighlightedSegmentedControl(const gfx::Rect&) { }

void OstrelStyleKit::publishPalette(KitSelectorTable& t)
{
    using K = OstrelStyleKit;
    t.add("brightFrame", &K::brightFrame);
    t.add("darkFrame", &K::darkFrame);
    t.add("n10", &K::n10);
    t.add("n8", &K::n8);
    t.add("n6", &K::n6);
    t.add("n4", &K::n4);
    t.add("n3", &K::n3);
    t.add("n2", &K::n2);
    t.add("n1", &K::n1);
    t.add("n0", &K::n0);
    t.add("lightYellow", &K::lightYellow);
    t.add("goodFocusColor", &K::goodFocusColor);
    t.add("commandHighlightedTitle", &K::commandHighlightedTitle);
    t.add("commandHighlightedByLine", &K::commandHighlightedByLine);
    t.add("commandTitle", &K::commandTitle);
    t.add("commandByLine", &K::commandByLine);
    t.add("commandHighlightedButDisabled", &K::commandHighlightedButDisabled);
    t.add("commandSearchFieldInactive", &K::commandSearchFieldInactive);
    t.add("commandSearchFieldActive", &K::commandSearchFieldActive);
    t.add("commandWindowBackgroundColor", &K::commandWindowBackgroundColor);
    t.add("workingColor", &K::workingColor);
    t.add("restfullColor", &K::restfullColor);
    t.add("prepareWorkingColor", &K::prepareWorkingColor);
    t.add("restColor", &K::restColor);
    t.add("prepareRestColor", &K::prepareRestColor);
    t.add("pausedColor", &K::pausedColor);
    t.add("drawPadBackgroundWithFrame:", &K::drawPadBackground);
    t.add("drawSegmentedControlWithFrame:", &K::drawSegmentedControl);
    t.add("drawHighlightedSegmentedControlWithFrame:", &K::drawHighlightedSegmentedControl);
}

const KitSelectorTable& OstrelStyleKit::selectors()
{
    static const KitSelectorTable table = [] {
        KitSelectorTable t;
        publishPalette(t);
        publishBackgrounds(t);
        publishLabels(t);
        publishWindowIcons(t);
        publishTextIndicators(t);
        publishStateIcons(t);
        publishCupIcons(t);
        publishOptionIcons(t);
        publishPopUpGlyphs(t);
        publishFolderIcons(t);
        publishMediaIcons(t);
        return t;
    }();
    return table;
}

}
