#include "mainwindow/LogBookRowHeights.h"

#include <functional>

namespace ostrel {

namespace {

std::size_t hashOf(const text::AttributedString& text)
{
    std::size_t hash = std::hash<std::u16string>()(text.string());
    for (const auto& run : text.runs())
        hash = hash * 31 + run.length;
    return hash;
}

}

void LogBookRowHeights::clear()
{
    m_heights.clear();
    m_count = 0;
}

double LogBookRowHeights::measure(const text::AttributedString& objective, double width, const text::LayoutDefaults& defaults)
{
    text::AttributedString measured = objective;
    if (!measured.empty() && measured.string().back() == u'\n')
        measured.erase({ measured.length() - 1, 1 });
    text::RichTextLayout layout(measured, width, defaults);
    return layout.boundingRect().height();
}

bool LogBookRowHeights::holdsFor(double width, const text::LayoutDefaults& defaults) const
{
    return width == m_width && defaults.font == m_font && defaults.color == m_color;
}

double LogBookRowHeights::textHeight(const text::AttributedString& objective, double width, const text::LayoutDefaults& defaults)
{
    if (!holdsFor(width, defaults)) {
        clear();
        m_width = width;
        m_font = defaults.font;
        m_color = defaults.color;
    }
    auto& bucket = m_heights[hashOf(objective)];
    for (const auto& entry : bucket) {
        if (entry.objective == objective)
            return entry.height;
    }
    double height = measure(objective, width, defaults);
    bucket.push_back({ objective, height });
    ++m_count;
    return height;
}

}
