#include "breaks/InformalBreakState.h"

#include "breaks/BreakScreenSupport.h"

#include "core/Clock.h"
#include "core/DateHelper.h"

#include "platform/ui/TextField.h"

#include <cmath>

namespace ostrel {

namespace {

// No rule acts this soon after the break began, however long the user has been away.
constexpr double kGrace = 10;
constexpr double kOneHour = 3600;
constexpr int64_t kInactive = 301;
constexpr int kBreakfastHour = 5;
constexpr int kLunchHour = 13;

// Ten times a second: a label is touched only when its text changes, or the window would
// lay itself out anew each time.
void show(ui::TextField& label, const std::string& text)
{
    if (label.stringValue() != text)
        label.setStringValue(text);
}

}

void InformalBreakState::checkForAutomaticEnd()
{
    if (!m_automaticTransitionInitiatedTime)
        return;
    double start = *m_automaticTransitionInitiatedTime;
    double now = Clock::now();
    double elapsed = now - start;
    if (elapsed < kGrace)
        return;
    auto& model = this->model();

    // Each rule asks again whether this screen is current: once one has fired, the rest
    // find another screen and do nothing.
    if (elapsed > kOneHour && model.endInformalBreakAutomatically())
        fireTransition("next");
    auto& dates = DateHelper::sharedHelper();
    int startHour = dates.hourOfDay(start);
    int hourNow = dates.hourOfDay(Clock::nowAsDate());
    if (hourNow >= kLunchHour && startHour < kLunchHour && model.endInformalBreakForLunch())
        fireTransition("next");
    // Hours without dates: a break begun at 22:00 is not ended the next morning.
    if (hourNow >= kBreakfastHour && startHour < kBreakfastHour && model.endInformalBreakForBreakfast())
        fireTransition("next");
    auto idle = static_cast<int64_t>(BreakScreenSupport::idleTimeInSeconds());
    bool inactivityRule = model.endInformalBreakAutomaticallyAfterInactivity();
    if (idle >= kInactive && inactivityRule)
        fireTransition("next");

    show(*m_inactiveTimeLeftLabel,
        idle != 0 && inactivityRule ? "(No activity for " + dates.formatNumberOfSecondsAsHoursAndMinutesAndSeconds(idle) + ")" : "");
    std::string remainingText;
    if (model.endInformalBreakAutomatically()) {
        // After a sleep past the hour the break has ended already: nothing is left.
        double remaining = std::trunc(start + kOneHour - now);
        if (remaining > 0)
            remainingText = "(" + dates.formatNumberOfSecondsAsHoursAndMinutesAndSeconds(static_cast<int64_t>(remaining)) + " left)";
    }
    show(*m_timeRemainingLabel, remainingText);
}

}
