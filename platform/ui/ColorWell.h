#pragma once

#include "platform/gfx/Color.h"
#include "platform/ui/Control.h"

#include <memory>

namespace ui {

// A swatch of one colour. A click opens the shared colour chooser on it; every colour
// picked there becomes the well's and is reported through onAction.
class ColorWell : public Control {
public:
    static std::shared_ptr<ColorWell> create(gfx::Color color = gfx::colors::white);

    gfx::Color color() const { return m_color; }
    void setColor(gfx::Color color);
    // As if the user picked the colour: set and reported.
    void takeColor(gfx::Color color);
    bool isActive() const { return m_active; }
    void activate();
    void deactivate();

    Size intrinsicContentSize() const override { return { 44, 24 }; }
    void mouseDown(const Event& event) override;

protected:
    explicit ColorWell(gfx::Color color);
    void drawOwnLook(gfx::GraphicsContext& context) override;

private:
    gfx::Color m_color;
    bool m_active { false };
};

}
