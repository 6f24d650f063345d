#pragma once

#include "platform/gfx/Color.h"
#include "platform/gfx/Gradient.h"
#include "platform/ui/View.h"

#include <memory>
#include <string>

namespace ostrel {

// One bar of the calendar strip: the event's start time and title over a line, with an end
// mark on the left when the event starts later than two minutes from now and on the right
// when it ends within the slider's reach. Only the title and the marks are drawn; the colours
// are kept for the owner.
class EventView : public ui::View {
public:
    static std::shared_ptr<EventView> create(ui::Rect frame = {});

    const std::string& title() const { return m_title; }
    void setTitle(std::string title);
    gfx::Color borderColor() const { return m_borderColor; }
    void setBorderColor(gfx::Color color) { m_borderColor = color; }
    const gfx::Gradient& gradient() const { return m_gradient; }
    void setGradient(gfx::Gradient gradient) { m_gradient = std::move(gradient); }
    bool leftArrow() const { return m_leftArrow; }
    void setLeftArrow(bool arrow);
    bool rightArrow() const { return m_rightArrow; }
    void setRightArrow(bool arrow);

    void draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect) override;
    // Title and marks are all it draws, and each asks for drawing when it changes.
    bool marksItsOwnChanges() const override { return true; }

private:
    explicit EventView(ui::Rect frame);

    std::string m_title { "title" };
    gfx::Color m_borderColor { gfx::Color::white(0, 1) };
    gfx::Gradient m_gradient;
    bool m_leftArrow { true };
    bool m_rightArrow { true };
};

}
