#pragma once

#include "platform/gfx/GraphicsContext.h"
#include "platform/ui/Event.h"
#include "platform/ui/View.h"

#include <memory>

// A plain view that fills itself with one colour and remembers the clicks it got, and how
// many drags and releases reached it.
class Swatch : public ui::View {
public:
    static std::shared_ptr<Swatch> create(gfx::Color color, ui::Rect frame = {})
    {
        return std::shared_ptr<Swatch>(new Swatch(color, frame));
    }
    void draw(gfx::GraphicsContext& context, const ui::Rect&) override
    {
        context.setFillColor(m_color);
        context.fillRect(bounds());
    }
    void mouseDown(const ui::Event& event) override
    {
        ++clicks;
        lastClick = convertPointFrom(event.locationInWindow(), nullptr);
    }
    void mouseDragged(const ui::Event&) override { ++dragsAndReleases; }
    void mouseUp(const ui::Event&) override { ++dragsAndReleases; }
    bool acceptsFirstResponder() const override { return m_acceptsFirstResponder; }
    bool isFlipped() const override { return m_flipped; }
    void setColor(gfx::Color color) { m_color = color; }

    int clicks { 0 };
    int dragsAndReleases { 0 };
    ui::Point lastClick;
    bool m_acceptsFirstResponder { false };
    bool m_flipped { false };

protected:
    Swatch(gfx::Color color, ui::Rect frame)
        : View(frame)
        , m_color(color)
    {
    }

private:
    gfx::Color m_color;
};
