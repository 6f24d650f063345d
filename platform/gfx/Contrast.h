#pragma once

#include "platform/gfx/Color.h"

namespace gfx {

// How readable one colour is on another, as the web's accessibility guidelines measure it:
// 1 for the same colour up to 21 for black on white. Text wants 4.5, hints and large text 3.
double relativeLuminance(const Color& color);
// The text is laid over the background at its alpha first; the background counts as opaque.
double contrastRatio(const Color& text, const Color& background);

}
