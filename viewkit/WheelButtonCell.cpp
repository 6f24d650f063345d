#include "viewkit/WheelButtonCell.h"

#include "viewkit/BezierPathUtility.h"

#include "platform/gfx/Gradient.h"
#include "platform/gfx/Path.h"
#include "platform/ui/Button.h"
#include "platform/ui/Window.h"

#include <cmath>

namespace ostrel {

namespace {

constexpr int kTeeth = 8;

gfx::Path gearOutline(const gfx::Rect& r)
{
    gfx::Point center = r.center();
    double outer = r.width() / 2 - 0.5;
    double inner = outer * 0.72;
    gfx::Path gear;
    // Each tooth: a flat top on the outer circle, flanks down to the root circle.
    for (int i = 0; i < kTeeth; ++i) {
        double a = i * 2 * M_PI / kTeeth;
        double half = M_PI / kTeeth;
        auto at = [&](double angle, double radius) {
            return gfx::Point { center.x + radius * std::cos(angle), center.y + radius * std::sin(angle) };
        };
        gfx::Point rootStart = at(a - half, inner);
        if (i == 0)
            gear.moveTo(rootStart);
        else
            gear.lineTo(rootStart);
        gear.lineTo(at(a - half * 0.45, outer));
        gear.lineTo(at(a + half * 0.45, outer));
        gear.lineTo(at(a + half, inner));
    }
    gear.closePath();
    // The hub's hole, cut by the even-odd rule.
    gear.appendOval(gfx::Rect(center.x - inner * 0.45, center.y - inner * 0.45, inner * 0.9, inner * 0.9));
    gear.setWindingRule(gfx::WindingRule::evenOdd);
    return gear;
}

}

std::shared_ptr<gfx::Image> WheelButtonCell::silverwheel()
{
    return gfx::Image::create({ 16, 16 }, false, [](const gfx::Rect& bounds) {
        auto& context = gfx::GraphicsContext::requireCurrent();
        gfx::Path gear = gearOutline(bounds);
        gfx::Gradient silver(std::vector<gfx::Color> { gfx::Color::white(0.93), gfx::Color::white(0.72), gfx::Color::white(0.55) });
        silver.drawInPath(gear, -90);
        context.setStrokeColor(gfx::Color::white(0.35));
        gear.setLineWidth(0.75);
        gear.stroke();
        return true;
    });
}

void WheelButtonCell::drawBezelWithFrame(gfx::GraphicsContext& context, const gfx::Rect&, ui::Button& controlView) const
{
    context.save();
    ui::Window* window = controlView.window();
    if (window && window->isKeyWindow() && window->firstResponder() == &controlView)
        context.setShadow(BezierPathUtility::focusRingShadow());
    auto wheel = silverwheel();
    gfx::Point origin = controlView.bounds().origin;
    // Whole points, halves away from zero, as the wheel was always placed.
    gfx::Rect place(std::round(origin.x + 8), std::round(origin.y + 9), wheel->size().width, wheel->size().height);
    wheel->draw(place, gfx::Operation::sourceAtop, 1.0);
    context.restore();
}

}
