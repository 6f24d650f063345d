#pragma once

#include "platform/gfx/Geometry.h"

#include <optional>

namespace ostrel {

// How a routine's fixed design rectangle is mapped into the frame its caller gives. The raw
// values are what the selector form carries, so their order is fixed. Every kit with
// resizable routines names this type as its own `ResizingBehavior`.
enum class ResizingBehavior : int {
    aspectFit = 0,
    aspectFill = 1,
    stretch = 2,
    center = 3,
};

// The case of a raw value 0 to 3; none for anything else.
std::optional<ResizingBehavior> resizingBehaviorFromRaw(double raw);
constexpr int rawValue(ResizingBehavior behavior) { return int(behavior); }

// The rectangle the design rectangle `rect` is drawn into when the caller asks for `target`:
// scaled by the behaviour's rule and centred on `target`. The origin of `rect` plays no part;
// a target equal to `rect`, or the zero rectangle, gives `rect` back unchanged.
gfx::Rect apply(ResizingBehavior, const gfx::Rect& rect, const gfx::Rect& target);

}
