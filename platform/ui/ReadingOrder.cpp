#include "platform/ui/ReadingOrder.h"

#include "platform/ui/View.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

struct Part {
    std::vector<View*> views;
    // Where its views lie, in window base coordinates (y up).
    Rect area;
};

// Rows from the top, each left to right. A row is the parts whose middle lies beside the first
// part of it, and the first's beside theirs: a short check box next to a taller pop-up, its top
// a little lower, still reads before what is right of it, while a page as tall as the window
// (a pad beside a screen) is a row of its own rather than one row of every control beside it.
void sortIntoRows(std::vector<Part>& parts)
{
    std::stable_sort(parts.begin(), parts.end(), [](const Part& a, const Part& b) { return std::round(a.area.maxY()) > std::round(b.area.maxY()); });
    auto beside = [](const Rect& a, const Rect& b) { return a.midY() >= b.minY() && a.midY() <= b.maxY(); };
    for (std::size_t start = 0; start < parts.size();) {
        Rect band = parts[start].area;
        std::size_t end = start + 1;
        while (end < parts.size() && beside(parts[end].area, band) && beside(band, parts[end].area))
            ++end;
        std::stable_sort(parts.begin() + static_cast<std::ptrdiff_t>(start), parts.begin() + static_cast<std::ptrdiff_t>(end),
            [](const Part& a, const Part& b) { return std::round(a.area.minX()) < std::round(b.area.minX()); });
        start = end;
    }
}

Part read(View& container, const std::function<bool(View*)>& include)
{
    std::vector<Part> parts;
    for (const auto& subview : container.subviews()) {
        if (include(subview.get())) {
            parts.push_back({ { subview.get() }, subview->convertRectTo(subview->bounds(), nullptr) });
            continue;
        }
        Part inner = read(*subview, include);
        if (!inner.views.empty())
            parts.push_back(std::move(inner));
    }
    sortIntoRows(parts);
    Part whole;
    for (Part& part : parts) {
        whole.views.insert(whole.views.end(), part.views.begin(), part.views.end());
        whole.area = whole.area.unionWith(part.area);
    }
    return whole;
}

}

std::vector<View*> readingOrder(View& root, const std::function<bool(View*)>& include)
{
    return read(root, include).views;
}

}
