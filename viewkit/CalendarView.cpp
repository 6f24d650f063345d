#include "viewkit/CalendarView.h"

#include "viewkit/LayoutConstraintMaker.h"

#include "core/Clock.h"

#include "drawing/OstrelStyleKit.h"

#include "platform/base/DateFormat.h"
#include "platform/ui/StackView.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

namespace {

constexpr double kStripHeight = 66;
// The slider's ticks begin at 2 minutes.
constexpr std::int64_t kFirstTickMinutes = 2;

// The minutes from now to a moment, up to the next whole minute.
std::int64_t minutesUntil(double moment, double now)
{
    double minutes = std::ceil((moment - now) / 60);
    return std::isfinite(minutes) ? static_cast<std::int64_t>(std::clamp(minutes, -1e9, 1e9)) : 0;
}

std::int64_t tickIndex(std::int64_t minutes) { return std::max(minutes, kFirstTickMinutes) - kFirstTickMinutes; }

}

std::shared_ptr<CalendarView> CalendarView::createCalendarView(std::shared_ptr<ui::Slider> slider)
{
    std::shared_ptr<CalendarView> strip(new CalendarView({}));
    strip->m_associatedSlider = std::move(slider);
    strip->setTranslatesAutoresizingMaskIntoConstraints(false);
    LayoutConstraintMaker maker(*strip);
    maker.height(kStripHeight);
    strip->addConstraints(maker.constraints());
    strip->setTopEventView(EventView::create(ui::Rect(100, 33, 163, 32)));
    strip->setBottomEventView(EventView::create(ui::Rect(100, 0, 316, 32)));
    strip->addSubview(strip->m_topEventView);
    strip->addSubview(strip->m_bottomEventView);
    return strip;
}

CalendarView::CalendarView(ui::Rect frame)
    : ui::View(frame)
    , m_dateFormatter([](double date) {
        return base::DateFormat::formatStyled(date, base::DateFormat::Style::None, base::DateFormat::Style::Short);
    })
{
}

void CalendarView::prepare()
{
    m_topEventView->setHidden(true);
    m_bottomEventView->setHidden(true);
}

bool CalendarView::isShownInItsStack() const
{
    View* fragment = superview();
    for (View* ancestor = fragment; ancestor; ancestor = ancestor->superview()) {
        if (auto* stack = dynamic_cast<ui::StackView*>(ancestor))
            return !stack->isDetached(fragment);
    }
    return false;
}

void CalendarView::updateState()
{
    if (!isShownInItsStack())
        return;
    if (!m_calendarManager)
        m_calendarManager = CalendarManager::sharedInstance();
    double now = Clock::now();
    std::vector<desktop::CalendarEvent> events;
    for (auto& event : m_calendarManager->fetchCalendarEventsForNext60Minutes()) {
        if (!event.allDay && event.start > now)
            events.push_back(std::move(event));
    }
    // Refreshed every second, the strip mostly shows what it showed: its bars redraw
    // themselves when they change, and the strip itself only when the events do.
    bool changed = events != m_calendarEvents;
    m_calendarEvents = std::move(events);
    configureEventView(*m_bottomEventView, 0);
    configureEventView(*m_topEventView, 1);
    if (changed)
        setNeedsDisplay();
}

void CalendarView::configureEventView(EventView& eventView, std::size_t index)
{
    if (index >= m_calendarEvents.size() || !m_associatedSlider) {
        eventView.setHidden(true);
        return;
    }
    const desktop::CalendarEvent& event = m_calendarEvents[index];
    const ui::Slider& slider = *m_associatedSlider;
    double now = Clock::now();
    eventView.setTitle(m_dateFormatter(event.start) + " " + event.title);
    eventView.setLeftArrow(event.start - now >= 120);
    eventView.setRightArrow(event.end - now < 3000);

    std::int64_t ticks = slider.numberOfTickMarks();
    std::int64_t startIndex = tickIndex(minutesUntil(event.start, now));
    // An event beyond the scale has no place on it: a bar left where it was would show its
    // new title over minutes it does not cover.
    if (startIndex >= ticks) {
        eventView.setHidden(true);
        return;
    }
    eventView.setHidden(false);
    double x = std::max(slider.rectOfTickMark(static_cast<int>(startIndex)).minX(), 0.0);
    // The end minute is the tick index itself, not shifted to the first tick at two minutes
    // as the start is: a bar runs on a little past its event rather than stopping short.
    std::int64_t endIndex = std::max<std::int64_t>(minutesUntil(event.end, now), 0);
    double right = endIndex < ticks ? slider.rectOfTickMark(static_cast<int>(endIndex)).maxX() : slider.frame().maxX();
    double width = std::max(0.0, std::min(right - x, bounds().width() - x));
    ui::Rect frame = eventView.frame();
    eventView.setFrame(ui::Rect(x, frame.minY(), width, frame.height()));
}

void CalendarView::draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect)
{
    if (m_calendarEvents.empty()) {
        context.save();
        OstrelStyleKit::drawCalendarNoEvents(bounds());
        context.restore();
    }
    ui::View::draw(context, dirtyRect);
}

}
