#include "breaks/ScaledCoverage.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>

namespace ostrel {

namespace {

// Sorted spans of both, overlapping or near ones joined.
std::vector<ScaledCoverage::Span> joined(const std::vector<ScaledCoverage::Span>& one, const std::vector<ScaledCoverage::Span>& other)
{
    std::vector<ScaledCoverage::Span> all(one);
    all.insert(all.end(), other.begin(), other.end());
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.left < b.left; });
    std::vector<ScaledCoverage::Span> result;
    for (const auto& span : all) {
        if (!result.empty() && span.left <= result.back().right + ScaledCoverage::kSmallestGap) {
            auto& last = result.back();
            last.right = std::max(last.right, span.right);
            last.top = std::min(last.top, span.top);
            last.bottom = std::max(last.bottom, span.bottom);
        } else {
            result.push_back(span);
        }
    }
    return result;
}

}

void ScaledCoverage::keepFor(std::shared_ptr<gfx::Image> contents, ui::Rect area, double pixelScale)
{
    if (contents != m_contents || area != m_pictures.area() || pixelScale != m_pictures.pixelScale()) {
        m_pictures.keepFor({}, 0);
        m_bands.clear();
    }
    m_contents = std::move(contents);
    m_pictures.keepFor(area, pixelScale, m_pictures.phase());
}

std::function<void()> ScaledCoverage::drawing(double scale) const
{
    return [this, scale] {
        if (!m_contents)
            return;
        ui::Rect area = m_pictures.area();
        double width = area.width() * scale;
        double height = area.height() * scale;
        m_contents->drawDirectly(ui::Rect(area.midX() - width / 2, area.midY() - height / 2, width, height));
    };
}

const ScaledCoverage::Bands& ScaledCoverage::coveredAt(int step, double scale)
{
    auto [picture, made] = m_pictures.picture(step, drawing(scale));
    auto found = m_bands.find(step);
    if (made || found == m_bands.end())
        found = m_bands.insert_or_assign(step, bandsOf(picture)).first;
    return found->second;
}

bool ScaledCoverage::drawIn(gfx::GraphicsContext& context, int step, double scale)
{
    return m_pictures.drawIn(context, area(), step, drawing(scale));
}

ScaledCoverage::Bands ScaledCoverage::bandsOf(cairo_surface_t* picture) const
{
    Bands bands;
    if (!picture)
        return bands;
    int width = cairo_image_surface_get_width(picture);
    int height = cairo_image_surface_get_height(picture);
    const unsigned char* pixels = cairo_image_surface_get_data(picture);
    int stride = cairo_image_surface_get_stride(picture);
    // For each column of a band, the first and one past the last row it covers there.
    std::vector<int> first(static_cast<std::size_t>(width)), last(static_cast<std::size_t>(width));
    for (int top = 0; top < height; top += kBandRows) {
        std::fill(first.begin(), first.end(), height);
        std::fill(last.begin(), last.end(), 0);
        for (int row = top; row < std::min(height, top + kBandRows); ++row) {
            const unsigned char* line = pixels + static_cast<std::ptrdiff_t>(row) * stride;
            for (int column = 0; column < width; ++column) {
                if (line[column]) {
                    auto c = static_cast<std::size_t>(column);
                    first[c] = std::min(first[c], row);
                    last[c] = row + 1;
                }
            }
        }
        std::vector<Span> spans;
        for (int column = 0; column < width; ++column) {
            auto c = static_cast<std::size_t>(column);
            if (last[c] == 0)
                continue;
            if (!spans.empty() && spans.back().right == column) {
                auto& span = spans.back();
                span.right = column + 1;
                span.top = std::min(span.top, first[c]);
                span.bottom = std::max(span.bottom, last[c]);
            } else {
                spans.push_back({ column, column + 1, first[c], last[c] });
            }
        }
        bands.push_back(joined(spans, {}));
    }
    return bands;
}

std::vector<ui::Rect> ScaledCoverage::partsCovered(const Bands& one, const Bands& other) const
{
    std::vector<ui::Rect> parts;
    std::size_t bands = std::max(one.size(), other.size());
    static const std::vector<Span> none;
    ui::Rect area = m_pictures.area();
    double pixelScale = m_pictures.pixelScale() > 0 ? m_pictures.pixelScale() : 1;
    ui::Point phase = m_pictures.phase();
    for (std::size_t band = 0; band < bands; ++band) {
        const auto& a = band < one.size() ? one[band] : none;
        const auto& b = band < other.size() ? other[band] : none;
        for (const Span& span : joined(a, b)) {
            // Rows count down from the area's top; the area's points count up.
            parts.push_back(ui::Rect(area.minX() + (span.left - phase.x) / pixelScale, area.maxY() - (span.bottom - phase.y) / pixelScale,
                (span.right - span.left) / pixelScale, (span.bottom - span.top) / pixelScale));
        }
    }
    return parts;
}

}
