#pragma once

#include "platform/gfx/Contrast.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/View.h"
#include "platform/ui/Window.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace ostrel::test {

// What a part of a window shows, measured as drawn: its background is the colour most of its
// pixels have, its text the pixel that stands out from that most (a glyph's stem covers one
// whole). The rect is in points from the window's top left.
inline double drawnContrast(ui::Window& window, ui::Rect topLeftRect)
{
    window.display();
    std::vector<gfx::Color> pixels;
    for (double y = topLeftRect.minY() + 0.5; y < topLeftRect.maxY(); y += 1)
        for (double x = topLeftRect.minX() + 0.5; x < topLeftRect.maxX(); x += 1)
            pixels.push_back(window.pixelAt(x, y));
    std::vector<std::pair<gfx::Color, int>> counts;
    for (const auto& pixel : pixels) {
        auto same = std::find_if(counts.begin(), counts.end(), [&](const auto& entry) { return entry.first == pixel; });
        if (same == counts.end())
            counts.emplace_back(pixel, 1);
        else
            ++same->second;
    }
    if (counts.empty())
        return 1;
    auto background = std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) { return a.second < b.second; })->first;
    double most = 1;
    for (const auto& pixel : pixels)
        most = std::max(most, gfx::contrastRatio(pixel, background));
    return most;
}

// The same for a view, over its bounds inset by `inset`.
inline double drawnContrast(ui::View& view, double inset = 0)
{
    ui::Window& window = *view.window();
    ui::Rect r = view.convertRectTo(view.bounds().insetBy(inset, inset), nullptr);
    return drawnContrast(window, ui::Rect(r.minX(), window.frame().height() - r.maxY(), r.width(), r.height()));
}

}
