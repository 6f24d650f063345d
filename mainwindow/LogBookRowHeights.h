#pragma once

#include "platform/text/AttributedString.h"
#include "platform/text/RichTextLayout.h"

#include <cstddef>
#include <unordered_map>
#include <vector>

namespace ostrel {

// The laid-out heights of log book objectives, remembered by the objective itself and the
// width and defaults it was laid out with: a reload brings new record objects, but an
// objective already measured at this width is not laid out again. Every height it answers is
// the one a fresh layout gives.
class LogBookRowHeights {
public:
    // The height of the objective laid out at the width (its final line break left out).
    double textHeight(const text::AttributedString& objective, double width, const text::LayoutDefaults& defaults);
    static double measure(const text::AttributedString& objective, double width, const text::LayoutDefaults& defaults);
    // False once the width or defaults differ from those the remembered heights hold for.
    bool holdsFor(double width, const text::LayoutDefaults& defaults) const;

    std::size_t size() const { return m_count; }
    void clear();

private:
    struct Entry {
        text::AttributedString objective;
        double height;
    };
    double m_width { -1 };
    gfx::Font m_font;
    gfx::Color m_color;
    std::unordered_map<std::size_t, std::vector<Entry>> m_heights;
    std::size_t m_count { 0 };
};

}
