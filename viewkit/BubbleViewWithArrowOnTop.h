#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Gradient.h"
#include "platform/ui/View.h"

#include <memory>
#include <string>

namespace ostrel {

// One bubble above a duration slider: a time of day with a small arrow on top pointing at
// the slider's tick for it. A click is reported to the superview as "bubbleClicked:" with the
// bubble as sender. Only the title and the arrow's x are drawn; the colours and gradient are
// kept for the owner.
class BubbleViewWithArrowOnTop : public ui::View {
public:
    static std::shared_ptr<BubbleViewWithArrowOnTop> create(ui::Rect frame = {});

    const std::string& title() const { return m_title; }
    void setTitle(std::string title);
    double middleX() const { return m_middleX; }
    // Rounded to a whole point; 0 becomes 1 and anything above 42 becomes 45, so the arrow
    // never sits on the bubble's rounded corners.
    void setMiddleX(double middleX);
    gfx::Color borderColor() const { return m_borderColor; }
    void setBorderColor(gfx::Color color) { m_borderColor = color; }
    const gfx::Gradient& gradient() const { return m_gradient; }
    void setGradient(gfx::Gradient gradient) { m_gradient = std::move(gradient); }
    gfx::Color textColor() const { return m_textColor; }
    void setTextColor(gfx::Color color) { m_textColor = color; }

    void draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect) override;
    // Its title and arrow are all it draws, and both ask for drawing when they change.
    bool marksItsOwnChanges() const override { return true; }
    void mouseDown(const ui::Event& event) override;

private:
    explicit BubbleViewWithArrowOnTop(ui::Rect frame);

    std::string m_title;
    double m_middleX { 5.0 };
    gfx::Color m_borderColor { gfx::Color::white(0, 1) };
    gfx::Gradient m_gradient;
    gfx::Color m_textColor { gfx::colors::black };
};

}
