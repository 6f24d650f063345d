#include "viewkit/EventView.h"

#include "viewkit/BezierPathUtility.h"

#include "drawing/OstrelStyleKit.h"

namespace ostrel {

std::shared_ptr<EventView> EventView::create(ui::Rect frame) { return std::shared_ptr<EventView>(new EventView(frame)); }

EventView::EventView(ui::Rect frame)
    : ui::View(frame)
    , m_gradient(BezierPathUtility::whiteGradient())
{
}

void EventView::setTitle(std::string title)
{
    if (title == m_title)
        return;
    m_title = std::move(title);
    setNeedsDisplay();
}

void EventView::setLeftArrow(bool arrow)
{
    if (arrow == m_leftArrow)
        return;
    m_leftArrow = arrow;
    setNeedsDisplay();
}

void EventView::setRightArrow(bool arrow)
{
    if (arrow == m_rightArrow)
        return;
    m_rightArrow = arrow;
    setNeedsDisplay();
}

void EventView::draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect)
{
    ui::View::draw(context, dirtyRect);
    OstrelStyleKit::drawEventView(bounds(), m_leftArrow, m_rightArrow, m_title);
}

}
