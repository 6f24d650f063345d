#include "platform/gfx/Color.h"

#include <algorithm>
#include <cmath>

namespace gfx {

namespace {
double unit(double value) { return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0; }
}

Color Color::hsb(double hue, double saturation, double brightness, double a)
{
    double h = std::isfinite(hue) ? hue - std::floor(hue) : 0.0;
    double s = unit(saturation);
    double v = unit(brightness);
    if (s == 0)
        return { v, v, v, a };
    double sector = h * 6;
    int index = int(sector) % 6;
    double f = sector - std::floor(sector);
    double p = v * (1 - s);
    double q = v * (1 - s * f);
    double t = v * (1 - s * (1 - f));
    switch (index) {
    case 0: return { v, t, p, a };
    case 1: return { q, v, p, a };
    case 2: return { p, v, t, a };
    case 3: return { p, q, v, a };
    case 4: return { t, p, v, a };
    default: return { v, p, q, a };
    }
}

double Color::brightness() const { return std::max({ red, green, blue }); }

double Color::saturation() const
{
    double high = brightness();
    if (high <= 0)
        return 0;
    return (high - std::min({ red, green, blue })) / high;
}

double Color::hue() const
{
    double high = std::max({ red, green, blue });
    double range = high - std::min({ red, green, blue });
    if (range <= 0)
        return 0;
    double h;
    if (high == red)
        h = (green - blue) / range;
    else if (high == green)
        h = 2 + (blue - red) / range;
    else
        h = 4 + (red - green) / range;
    h /= 6;
    return h < 0 ? h + 1 : h;
}

Color Color::blended(double fraction, const Color& other) const
{
    double f = unit(fraction);
    auto mix = [f](double a, double b) { return a * (1 - f) + b * f; };
    return { mix(red, other.red), mix(green, other.green), mix(blue, other.blue), mix(alpha, other.alpha) };
}

}
