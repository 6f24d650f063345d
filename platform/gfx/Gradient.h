#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

#include <vector>

namespace gfx {

class Path;

// A linear sRGB gradient of colour stops. Drawn at an angle in degrees counter-clockwise
// from +x across a rectangle so that the first colour just touches one corner and the last
// the opposite one: at 0 it runs left to right, at 90 from the bottom (y up) to the top.
class Gradient {
public:
    struct Stop {
        Color color;
        double location { 0 };
        bool operator==(const Stop&) const = default;
    };

    Gradient(const Color& start, const Color& end);
    // Evenly spaced from 0 to 1.
    explicit Gradient(const std::vector<Color>& colors);
    // Locations are clamped to 0…1 and kept in order (equal locations make a hard edge).
    explicit Gradient(std::vector<Stop> stops);

    const std::vector<Stop>& stops() const { return m_stops; }
    Color interpolatedColor(double location) const;

    // In the current graphics context, with its alpha, operation and clip.
    void drawInRect(const Rect&, double angleDegrees) const;
    void drawInPath(const Path&, double angleDegrees) const;

    bool operator==(const Gradient&) const = default;

private:
    void draw(const Rect& area, double angleDegrees) const;

    std::vector<Stop> m_stops;
};

}
