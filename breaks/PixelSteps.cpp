#include "breaks/PixelSteps.h"

#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <numbers>

namespace ostrel {

double pixelInPoints(const ui::View& view)
{
    double scale = view.window() ? view.window()->backingScaleFactor() : 1;
    return scale > 0 ? 1 / scale : 1;
}

double visibleTurn(const ui::View& view, double radius)
{
    if (!(radius > 0))
        return 360;
    return pixelInPoints(view) / radius * 180 / std::numbers::pi;
}

}
