#include "viewkit/BubbleViewWithArrowOnTop.h"

#include "viewkit/BezierPathUtility.h"

#include "drawing/OstrelStyleKit.h"

#include <cmath>

namespace ostrel {

std::shared_ptr<BubbleViewWithArrowOnTop> BubbleViewWithArrowOnTop::create(ui::Rect frame)
{
    return std::shared_ptr<BubbleViewWithArrowOnTop>(new BubbleViewWithArrowOnTop(frame));
}

BubbleViewWithArrowOnTop::BubbleViewWithArrowOnTop(ui::Rect frame)
    : ui::View(frame)
    , m_gradient(BezierPathUtility::whiteGradient())
{
}

void BubbleViewWithArrowOnTop::setTitle(std::string title)
{
    if (title == m_title)
        return;
    m_title = std::move(title);
    setNeedsDisplay();
}

void BubbleViewWithArrowOnTop::setMiddleX(double middleX)
{
    float rounded = std::round(static_cast<float>(middleX));
    if (rounded == 0)
        rounded = 1;
    else if (rounded > 42)
        rounded = 45;
    if (rounded == m_middleX)
        return;
    m_middleX = rounded;
    setNeedsDisplay();
}

void BubbleViewWithArrowOnTop::draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect)
{
    OstrelStyleKit::drawBubbleWithArrowOnTop(bounds(), m_title, m_middleX);
    ui::View::draw(context, dirtyRect);
}

void BubbleViewWithArrowOnTop::mouseDown(const ui::Event&)
{
    // Kept alive while its row handles the click: the row may rebuild what holds it.
    auto self = shared_from_this();
    if (auto* row = superview(); row && row->respondsTo("bubbleClicked:"))
        row->tryToPerform("bubbleClicked:", this);
}

}
