#pragma once

#include "platform/gfx/Color.h"

#include <functional>
#include <memory>

namespace ui {

class Window;

// The one small colour chooser: a grid of swatches in a panel; a click on one hands its
// colour to whoever showed the panel last.
class ColorPanel {
public:
    using Picked = std::function<void(gfx::Color)>;

    static ColorPanel& shared();

    void show(gfx::Color current, Picked picked);
    void close();
    bool isVisible() const;
    Window* window() const { return m_window.get(); }
    gfx::Color color() const { return m_color; }
    // As a click on a swatch does.
    void pick(gfx::Color color);

    // The swatches, row by row: hues at three brightnesses, then greys.
    static constexpr int kColumns = 10;
    static constexpr int kRows = 4;
    static gfx::Color swatch(int row, int column);

private:
    ColorPanel() = default;

    std::shared_ptr<Window> m_window;
    gfx::Color m_color { gfx::colors::white };
    Picked m_picked;
};

}
