#pragma once

#include "platform/gfx/Geometry.h"

namespace ui {

// The window system measures in the graphics layer's points and rectangles.
using Point = gfx::Point;
using Size = gfx::Size;
using Rect = gfx::Rect;

struct EdgeInsets {
    double top { 0 };
    double left { 0 };
    double bottom { 0 };
    double right { 0 };
    bool operator==(const EdgeInsets&) const = default;
};

}
