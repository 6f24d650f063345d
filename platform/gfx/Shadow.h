#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

namespace gfx {

// A drop shadow as the context applies it: offset and blur radius in base space (points,
// y up, untouched by the CTM), the colour's alpha as the shadow's strength.
struct Shadow {
    Color color { 0, 0, 0, 1.0 / 3 };
    Size offset;
    double blurRadius { 0 };

    bool operator==(const Shadow&) const = default;
};

}
