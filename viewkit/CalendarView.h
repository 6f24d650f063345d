#pragma once

#include "viewkit/CalendarManager.h"
#include "viewkit/EventView.h"

#include "platform/ui/Slider.h"
#include "platform/ui/View.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ostrel {

// The strip beside a duration slider (values in minutes from 2): the next two events of the
// coming hour that have not started, as bars over the slider's minutes (the earliest below,
// the next above); with none, a hint. A bar runs from its event's start to its end minute
// (to the slider's end when the event ends beyond it); an event starting beyond the slider's
// scale has no bar. The screen refreshes it once a second; while its fragment is hidden it
// does nothing, and the calendar is read at most once every 15 seconds.
class CalendarView : public ui::View {
public:
    // A strip 66 points high over the slider (which it holds), with its two bars made.
    static std::shared_ptr<CalendarView> createCalendarView(std::shared_ptr<ui::Slider> slider);

    const std::vector<desktop::CalendarEvent>& calendarEvents() const { return m_calendarEvents; }
    const std::shared_ptr<ui::Slider>& associatedSlider() const { return m_associatedSlider; }
    void setAssociatedSlider(std::shared_ptr<ui::Slider> slider) { m_associatedSlider = std::move(slider); }
    const std::shared_ptr<EventView>& topEventView() const { return m_topEventView; }
    void setTopEventView(std::shared_ptr<EventView> view) { m_topEventView = std::move(view); }
    const std::shared_ptr<EventView>& bottomEventView() const { return m_bottomEventView; }
    void setBottomEventView(std::shared_ptr<EventView> view) { m_bottomEventView = std::move(view); }
    // The shared manager unless another is set (tests, the gallery).
    void setCalendarManager(std::shared_ptr<CalendarManager> manager) { m_calendarManager = std::move(manager); }

    // Hides both bars.
    void prepare();
    void updateState();

    void draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect) override;
    // It draws its hint while it has no events, and asks for drawing when the events change.
    bool marksItsOwnChanges() const override { return true; }

private:
    explicit CalendarView(ui::Rect frame);
    // Whether the strip's fragment is in a stack and shown there.
    bool isShownInItsStack() const;
    void configureEventView(EventView& eventView, std::size_t index);

    std::vector<desktop::CalendarEvent> m_calendarEvents;
    std::function<std::string(double)> m_dateFormatter;
    std::shared_ptr<ui::Slider> m_associatedSlider;
    std::shared_ptr<EventView> m_topEventView;
    std::shared_ptr<EventView> m_bottomEventView;
    std::shared_ptr<CalendarManager> m_calendarManager;
};

}
