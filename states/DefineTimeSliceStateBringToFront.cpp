#include "states/DefineTimeSliceState.h"

#include "attention/ActivityMonitor.h"
#include "core/Clock.h"
#include "core/DateHelper.h"
#include "core/KVOResponder.h"
#include "core/StateMachine.h"
#include "shell/AppDelegate.h"
#include "shell/MainController.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/Timer.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace ostrel {

namespace {

// Idle times the conditions ask for, in whole seconds: the user has really left.
constexpr int64_t kAwayAfterAMeal = 61;
constexpr int64_t kInactive = 301;
constexpr int64_t kAwayForAnHour = 11;
// No condition but the meals acts this soon after the period away began.
constexpr double kGrace = 10;
constexpr double kOneHour = 3600;
constexpr int kBreakfastHour = 5;
constexpr int kLunchHour = 13;

// The four conditions' switches, each read when its condition is checked.
constexpr const char* kBringToFrontSwitches[] = { "automaticallyBringDefineTimeSliceToFrontAfterInactivity",
    "automaticallyBringDefineTimeSliceToFrontAfterOneHour", "automaticallyBringDefineTimeSliceToFrontAfterLunch",
    "automaticallyBringDefineTimeSliceToFrontAfterBreakfast" };

int64_t idleSeconds()
{
    auto& monitor = smartDelegate().activityMonitor;
    double idle = monitor ? monitor->idleTimeInSeconds() : 0;
    return std::isfinite(idle) ? static_cast<int64_t>(idle) : 0;
}

}

void DefineTimeSliceState::automaticallyBringToTheFrontWhenAppropriate()
{
    m_automaticTransitionToFrontInitiatedTime = Clock::now();
    stopBringToFrontTimer();
    m_bringToFrontArmed = true;
    runBringToFrontChecksWhileTheyCanAct();
}

void DefineTimeSliceState::runBringToFrontChecksWhileTheyCanAct()
{
    if (!m_bringToFrontArmed)
        return;
    // A tick acts only while this screen is current and a condition is switched on. Until
    // then the once-a-second check rests, so that the program away from the front is not
    // woken every second for nothing: coming back to this screen brings the program to the
    // front by itself, and a condition switched on while away (in the settings file, say)
    // wakes the check at once.
    auto machine = StateMachine::sharedStateMachine();
    auto store = model().store();
    bool canAct = machine && machine->currentState().get() == this
        && std::any_of(std::begin(kBringToFrontSwitches), std::end(kBringToFrontSwitches),
            [&](const char* key) { return store->boolean(key); });
    bool ticking = m_bringToFrontTimer && m_bringToFrontTimer->timer() && m_bringToFrontTimer->timer()->isValid();
    if (!canAct) {
        if (ticking)
            m_bringToFrontTimer->stop();
        return;
    }
    if (ticking)
        return;
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    m_bringToFrontTimer = Clock::timerWithSystemTimeInterval(1.0, true, [weakSelf](base::Timer&) {
        if (auto self = std::static_pointer_cast<DefineTimeSliceState>(weakSelf.lock()))
            self->bringToFrontTick();
    });
}

void DefineTimeSliceState::watchBringToFrontSwitches()
{
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    for (const char* key : kBringToFrontSwitches) {
        m_bringToFrontSwitchObservers.push_back(
            KVOResponder::create(key, model().store(), false, [weakSelf](base::Defaults&, const std::string&) {
                if (auto self = std::static_pointer_cast<DefineTimeSliceState>(weakSelf.lock()))
                    self->runBringToFrontChecksWhileTheyCanAct();
            }));
    }
}

void DefineTimeSliceState::stopBringToFrontTimer()
{
    m_bringToFrontArmed = false;
    if (m_bringToFrontTimer)
        m_bringToFrontTimer->stop();
}

void DefineTimeSliceState::bringToFrontTick()
{
    auto machine = StateMachine::sharedStateMachine();
    if (!machine || machine->currentState().get() != this || !m_automaticTransitionToFrontInitiatedTime)
        return;
    double start = *m_automaticTransitionToFrontInitiatedTime;
    double now = Clock::now();
    int64_t idle = idleSeconds();
    auto& dates = DateHelper::sharedHelper();
    int hourAtStart = dates.hourOfDay(start);
    int hourNow = dates.hourOfDay(Clock::now());
    auto store = model().store();

    // Every condition below judges the values read above, so one tick may meet several.
    if (hourNow >= kLunchHour && hourAtStart < kLunchHour && store->boolean("automaticallyBringDefineTimeSliceToFrontAfterLunch")
        && idle >= kAwayAfterAMeal && !m_lunchBreakTransitionAlreadyTriggeredOnce) {
        m_lunchBreakTransitionAlreadyTriggeredOnce = true;
        internalBringToFront();
    }
    double elapsed = now - start;
    if (hourNow >= kBreakfastHour && hourAtStart < kBreakfastHour
        && store->boolean("automaticallyBringDefineTimeSliceToFrontAfterBreakfast") && idle >= kAwayAfterAMeal
        && !m_breakfastTransitionAlreadyTriggeredOnce) {
        m_breakfastTransitionAlreadyTriggeredOnce = true;
        internalBringToFront();
    }
    if (elapsed < kGrace)
        return;
    if (idle >= kInactive && store->boolean("automaticallyBringDefineTimeSliceToFrontAfterInactivity"))
        internalBringToFront();
    if (elapsed > kOneHour && idle >= kAwayForAnHour && store->boolean("automaticallyBringDefineTimeSliceToFrontAfterOneHour"))
        internalBringToFront();
}

void DefineTimeSliceState::internalBringToFront()
{
    auto controller = MainController::sharedInstance();
    auto* delegate = controller ? controller->pseudoAppDelegate() : nullptr;
    if (!delegate)
        base::fatal("DefineTimeSliceState: no application delegate to bring to the front");
    delegate->makeFront();
    selectObjectiveText();
    m_automaticTransitionToFrontInitiatedTime = Clock::now();
    stopBringToFrontTimer();
}

}
