#include "platform/gfx/Blur.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace gfx {

namespace {

std::vector<float> gaussianKernel(double sigma, int radius)
{
    std::vector<float> kernel(2 * radius + 1);
    double sum = 0;
    for (int i = -radius; i <= radius; ++i) {
        double w = std::exp(-(i * i) / (2 * sigma * sigma));
        kernel[i + radius] = float(w);
        sum += w;
    }
    for (float& w : kernel)
        w = float(w / sum);
    return kernel;
}

// One pass along a line of `count` samples `step` apart; outside the plane is transparent.
void blurLine(uint8_t* line, int count, int step, const std::vector<float>& kernel, int radius, std::vector<float>& scratch)
{
    scratch.assign(count, 0);
    for (int i = 0; i < count; ++i) {
        float value = line[i * step];
        if (value == 0)
            continue;
        int from = std::max(0, i - radius), to = std::min(count - 1, i + radius);
        for (int j = from; j <= to; ++j)
            scratch[j] += value * kernel[j - i + radius];
    }
    for (int i = 0; i < count; ++i)
        line[i * step] = uint8_t(std::clamp(std::lround(scratch[i]), 0L, 255L));
}

}

void blurAlpha(uint8_t* data, int width, int height, int stride, double sigma)
{
    if (!data || width <= 0 || height <= 0 || !(sigma >= 0.25))
        return;
    int radius = std::max(1, int(std::ceil(3 * sigma)));
    // Shadow masks cover the whole clip but the shape is usually small: blur only around it.
    int x0 = width, y0 = height, x1 = -1, y1 = -1;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = data + y * stride;
        for (int x = 0; x < width; ++x) {
            if (row[x]) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = y;
            }
        }
    }
    if (x1 < 0)
        return;
    x0 = std::max(0, x0 - radius);
    y0 = std::max(0, y0 - radius);
    x1 = std::min(width - 1, x1 + radius);
    y1 = std::min(height - 1, y1 + radius);
    uint8_t* origin = data + y0 * stride + x0;
    int w = x1 - x0 + 1, h = y1 - y0 + 1;

    auto kernel = gaussianKernel(sigma, radius);
    std::vector<float> scratch;
    for (int y = 0; y < h; ++y)
        blurLine(origin + y * stride, w, 1, kernel, radius, scratch);
    for (int x = 0; x < w; ++x)
        blurLine(origin + x, h, stride, kernel, radius, scratch);
}

}
