#include "platform/gfx/Contrast.h"

#include <algorithm>
#include <cmath>

namespace gfx {

namespace {
double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}
}

double relativeLuminance(const Color& color)
{
    return 0.2126 * linear(color.red) + 0.7152 * linear(color.green) + 0.0722 * linear(color.blue);
}

double contrastRatio(const Color& text, const Color& background)
{
    Color opaque = background.withAlpha(1);
    Color shown = opaque.blended(text.alpha, text.withAlpha(1));
    double a = relativeLuminance(shown);
    double b = relativeLuminance(opaque);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

}
