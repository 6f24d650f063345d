#include "mainwindow/PadIcons.h"

#include "mainwindow/PadTable.h"

#include "drawing/OstrelStyleKit.h"

#include "platform/base/Defaults.h"
#include "platform/gfx/Archive.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

namespace {

std::optional<gfx::Color> archived(const std::optional<base::Value>& value)
{
    if (!value || !value->asString())
        return std::nullopt;
    return gfx::unarchiveColor(*value->asString());
}

bool near(const gfx::Color& a, const gfx::Color& b)
{
    return std::fabs(a.red - b.red) < 0.01 && std::fabs(a.green - b.green) < 0.01 && std::fabs(a.blue - b.blue) < 0.01;
}

}

std::optional<gfx::Color> PadIcons::customTint(std::size_t padIndex)
{
    if (padIndex > PadTable::kScratch)
        return std::nullopt;
    const auto& pad = PadTable::pad(padIndex);
    auto store = base::Defaults::standard();
    auto stored = archived(store->object(pad.colorKey));
    if (!stored)
        return std::nullopt;
    // Untouched means as registered: the table's own colour only stands in when nothing is.
    gfx::Color untouched = archived(store->registeredObject(pad.colorKey)).value_or(*pad.defaultColor);
    if (near(*stored, untouched))
        return std::nullopt;
    return gfx::Color::hsb(stored->hue(), std::max(stored->saturation(), 0.5), std::max(stored->brightness(), 0.5), 1.0);
}

std::shared_ptr<gfx::Image> PadIcons::image(std::size_t padIndex)
{
    if (auto tint = customTint(padIndex))
        return OstrelStyleKit::imageOfPadIconWithCustomColor(*tint);
    switch (padIndex) {
    case PadTable::kNow:
        return OstrelStyleKit::imageOfNowPadIcon();
    case PadTable::kLater:
        return OstrelStyleKit::imageOfLaterPadIcon();
    case PadTable::kScratch:
        return OstrelStyleKit::imageOfScratchPadIcon();
    case PadTable::kLogBook:
        return OstrelStyleKit::imageOfLogBookIcon();
    case PadTable::kStatistics:
        return OstrelStyleKit::imageOfStatsIcon();
    default:
        return OstrelStyleKit::imageOfHelpIcon();
    }
}

void PadIcons::draw(std::size_t padIndex, const gfx::Rect& frame)
{
    using R = OstrelStyleKit::ResizingBehavior;
    if (auto tint = customTint(padIndex)) {
        OstrelStyleKit::drawPadIconWithCustomColor(frame, R::aspectFit, *tint);
        return;
    }
    switch (padIndex) {
    case PadTable::kNow:
        return OstrelStyleKit::drawNowPadIcon(frame, R::aspectFit);
    case PadTable::kLater:
        return OstrelStyleKit::drawLaterPadIcon(frame, R::aspectFit);
    case PadTable::kScratch:
        return OstrelStyleKit::drawScratchPadIcon(frame, R::aspectFit);
    case PadTable::kLogBook:
        return OstrelStyleKit::drawLogBookIcon(frame, R::aspectFit);
    case PadTable::kStatistics:
        return OstrelStyleKit::drawStatsIcon(frame, R::aspectFit);
    default:
        return OstrelStyleKit::drawHelpIcon(frame, R::aspectFit);
    }
}

}
