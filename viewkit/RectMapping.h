#pragma once

#include "platform/gfx/AffineTransform.h"

namespace ostrel {

// Transforms that fit one rectangle onto another, for placing outlines.

// Maps rectangle `from` onto rectangle `to` (a scale per axis and a move).
gfx::AffineTransform mapFrom(const gfx::Rect& from, const gfx::Rect& to);
// Scales `bounds` to `height` (keeping its proportions) and centres it horizontally on
// `point`, its bottom `distance` above the point.
gfx::AffineTransform scaleBounds(const gfx::Rect& bounds, double toHeight, double centeredDistance, gfx::Point abovePoint);
// The same above the origin.
gfx::AffineTransform scaleBounds(const gfx::Rect& bounds, double toHeight, double centeredAboveOrigin);
// Turns a rectangle's content upside down within its height: y becomes height − y.
gfx::AffineTransform flipVertical(const gfx::Rect& rect);

}
