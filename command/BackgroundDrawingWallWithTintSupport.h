#pragma once

#include "viewkit/Wall.h"

#include <functional>

namespace ostrel {

// A small drawing surface for a glyph in one colour: the result rows' icon and chevron.
class BackgroundDrawingWallWithTintSupport final : public Wall {
public:
    static std::shared_ptr<BackgroundDrawingWallWithTintSupport> create();

    const gfx::Color& tint() const { return m_tint; }
    // Redraws.
    void setTint(gfx::Color tint);
    // Given the bounds and the tint each time the surface draws.
    std::function<void(const ui::Rect&, const gfx::Color&)> backgroundDrawingFuncWithTint;

private:
    friend class Wall;
    BackgroundDrawingWallWithTintSupport();

    gfx::Color m_tint { gfx::colors::black };
};

}
