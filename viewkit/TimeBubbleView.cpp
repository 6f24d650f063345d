#include "viewkit/TimeBubbleView.h"

#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/QuarterHours.h"

#include "core/Clock.h"

#include "platform/base/Calendar.h"
#include "platform/base/DateFormat.h"

#include <cmath>
#include <limits>

namespace ostrel {

namespace {

const ui::Rect kBubbleFrame { 58, 1, 60, 25 };
constexpr double kRowHeight = 26;

}

std::shared_ptr<TimeBubbleView> TimeBubbleView::createNewTimeBubbleView(std::shared_ptr<ui::Slider> slider)
{
    return make<TimeBubbleView>(std::move(slider));
}

TimeBubbleView::TimeBubbleView(ui::Rect frame)
    : ui::View(frame)
    , setNewDurationFunc([](std::int64_t minutes) { DataModel::shared().setDurationInMinutes(minutes); })
{
}

const base::ActionTable& TimeBubbleView::actionTable() const
{
    static const auto table = base::ActionTable::of<TimeBubbleView>({ { "bubbleClicked:", &TimeBubbleView::bubbleClickedAction } });
    return table;
}

void TimeBubbleView::bubbleClickedAction(const base::Sender& sender)
{
    if (auto* bubble = std::any_cast<BubbleViewWithArrowOnTop*>(&sender); bubble && *bubble)
        bubbleClicked(**bubble);
}

void TimeBubbleView::buildBubbles()
{
    LayoutConstraintMaker maker(*this);
    maker.height(kRowHeight);
    addConstraints(maker.constraints());
    for (int i = 0; i < m_maxNumberOfBubbles; ++i) {
        auto bubble = BubbleViewWithArrowOnTop::create(kBubbleFrame);
        addSubview(bubble);
        m_bubbleViews.push_back(bubble);
    }
}

int TimeBubbleView::indexOf(const BubbleViewWithArrowOnTop& bubble) const
{
    for (std::size_t i = 0; i < m_bubbleViews.size(); ++i) {
        if (m_bubbleViews[i].get() == &bubble)
            return static_cast<int>(i);
    }
    return -1;
}

void TimeBubbleView::bubbleClicked(BubbleViewWithArrowOnTop& bubble)
{
    int index = indexOf(bubble);
    if (index < 0 || static_cast<std::size_t>(index) >= m_bubbleDurations.size())
        return;
    if (auto setDuration = setNewDurationFunc)
        setDuration(m_bubbleDurations[static_cast<std::size_t>(index)]);
    positionBubbleViews();
    setNeedsDisplay();
}

void TimeBubbleView::updateState()
{
    // The row draws nothing of its own; each bubble redraws itself when it changes, and in
    // most seconds none does.
    positionBubbleViews();
}

void TimeBubbleView::valueHasChanged()
{
    positionBubbleViews();
    setNeedsDisplay();
}

void TimeBubbleView::positionBubbleViews()
{
    if (!m_associatedSlider)
        return;
    ui::Slider& slider = *m_associatedSlider;
    double now = Clock::nowAsDate();
    std::int64_t first = minutesToFirstQuarterHour(now, static_cast<std::int64_t>(m_minSliderValue));

    m_bubbleDates.clear();
    m_bubbleDurations.clear();
    for (std::size_t i = 0; i < m_bubbleViews.size(); ++i) {
        std::int64_t minutes = first + kMinutesBetweenQuarterHours * static_cast<std::int64_t>(i);
        m_bubbleDurations.push_back(minutes);
        m_bubbleDates.push_back(now + static_cast<double>(minutes) * 60);
    }

    int ticks = slider.numberOfTickMarks();
    double rowWidth = bounds().width();
    for (std::size_t i = 0; i < m_bubbleViews.size(); ++i) {
        BubbleViewWithArrowOnTop& bubble = *m_bubbleViews[i];
        std::int64_t minutes = m_bubbleDurations[i];
        std::int64_t index = minutes - static_cast<std::int64_t>(slider.minValue());
        if (ticks <= minutes || index < 0 || index >= ticks) {
            bubble.setHidden(true);
            continue;
        }
        ui::Rect tick = slider.rectOfTickMark(static_cast<int>(index));
        double x = tick.minX() + tick.width() * 0.5 + slider.frame().minX();
        ui::Rect frame = bubble.frame();
        double width = frame.width();
        frame.origin.x = std::floor(x - width * 0.5);
        double middleX = width * 0.5;
        titleBubble(i, m_bubbleDates[i]);
        if (frame.minX() < m_viewInset) {
            middleX = (frame.minX() - m_viewInset) + std::floor(width * 0.5);
            frame.origin.x = m_viewInset;
        }
        if (frame.maxX() > rowWidth - m_viewInset) {
            double shift = frame.maxX() - (rowWidth - m_viewInset);
            middleX = shift + std::floor(width * 0.5);
            frame.origin.x -= shift;
        }
        // Set once: each bubble redraws itself when its arrow, title or place changes. Nothing
        // is laid out from a bubble's place, so moving it asks for no layout of the window.
        bubble.setMiddleX(middleX);
        bubble.setFrameWithoutLayout(frame);
        bubble.setHidden(false);
    }
}

void TimeBubbleView::titleBubble(std::size_t index, double date)
{
    auto minute = static_cast<std::int64_t>(std::floor(date / 60));
    if (m_titledMinutes.size() < m_bubbleViews.size())
        m_titledMinutes.resize(m_bubbleViews.size(), std::numeric_limits<std::int64_t>::min());
    if (m_titledMinutes[index] == minute)
        return;
    m_titledMinutes[index] = minute;
    m_bubbleViews[index]->setTitle(base::DateFormat::formatStyled(date, base::DateFormat::Style::None, base::DateFormat::Style::Short));
}

}
