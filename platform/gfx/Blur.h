#pragma once

#include <cstdint>

namespace gfx {

// Gaussian blur of an 8-bit alpha plane in place, standard deviation `sigma` in pixels.
void blurAlpha(uint8_t* data, int width, int height, int stride, double sigma);

}
