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
    auto kernel = gaussianKernel(sigma, radius);
    std::vector<float> scratch;
    for (int y = 0; y < height; ++y)
        blurLine(data + y * stride, width, 1, kernel, radius, scratch);
    for (int x = 0; x < width; ++x)
        blurLine(data + x, height, stride, kernel, radius, scratch);
}

}
