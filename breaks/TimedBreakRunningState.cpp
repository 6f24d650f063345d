#include "breaks/TimedBreakRunningState.h"

#include "breaks/BreakScreenSupport.h"
#include "breaks/MiniRemainingBreakDurationTimeIndicatorWall.h"
#include "breaks/RestBreakHelper.h"

#include "states/StateFragmentStackView.h"

#include "core/Clock.h"
#include "drawing/OstrelStyleKit.h"
#include "viewkit/BreakElapsedAndEndTimeIndicatorHideableFragmentWall.h"
#include "viewkit/BreakRemainingAndTotalTimeIndicatorHideableFragmentWall.h"
#include "viewkit/BubbleViewForTimedState.h"
#include "viewkit/GenericUpdateViewTypeImplementation.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/TitleFragment.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"

#include <algorithm>
#include <cmath>

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

// The desktop's green in its dark look.
constexpr gfx::Color kSystemGreen = gfx::Color::rgb(0.19, 0.82, 0.35);

}

std::shared_ptr<TimedBreakRunningState> TimedBreakRunningState::create(DataModel& model)
{
    return std::shared_ptr<TimedBreakRunningState>(new TimedBreakRunningState(model));
}

TimedBreakRunningState::TimedBreakRunningState(DataModel& model)
    : TimedState(model)
{
}

int64_t TimedBreakRunningState::duration() const
{
    auto& data = model();
    if (data.useOneTimeOnlyBreakDurationThisTimeOnly)
        return data.oneTimeOnlyBreakDuration;
    if (data.usePomodoroStyleBreakDurationControl())
        return 60 * data.computedPomodoroBreakDurationBasedOnCurrentSettings();
    return data.breakDurationInSeconds();
}

bool TimedBreakRunningState::shouldHideOnActivate() const
{
    return !model().lockScreenDuringBreak() && model().shouldHideOnTimedBreakActivation();
}

void TimedBreakRunningState::build()
{
    createStackView();
    m_fitWindowToken = BreakScreenSupport::keepShownSectionsInTheWindow(*this);
    createAndInstallTitleFragment("On a Timed Break...");
    auto& title = *titleFragment();
    title.setImage(OstrelStyleKit::imageOfTreeIcon(kSystemGreen));
    title.setTint(kSystemGreen);
    // First of the refreshed views: the readouts read the view model it hands them.
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    addUpdatableView(GenericUpdateViewTypeImplementation::create([weakSelf] {
        if (auto self = std::static_pointer_cast<TimedBreakRunningState>(weakSelf.lock()))
            self->prepareForUITimerUpdate();
    }));
    buildDurationSections();
    buildButtons();
}

void TimedBreakRunningState::buildDurationSections()
{
    auto& stack = *fragmentStackView();
    auto durationLabel = LabelFragment::labelFragment("Duration:");
    durationLabel->setIdentifier("Duration: Fragment");
    durationLabel->setIsFirstLabel(true);
    stack.addFragment(durationLabel);

    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto sliderWall = FragmentWall::create();
    sliderWall->setIdentifier("Duration Slider Fragment");
    m_durationSlider = sliderWall->factory().slider([weakSelf](float value) {
        if (auto self = std::static_pointer_cast<TimedBreakRunningState>(weakSelf.lock()))
            self->sliderMoved(value);
        return value;
    }, false, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Top, A::Top).place(A::Bottom, A::Bottom).place(A::Left, A::Left).place(A::Right, A::Right);
    });
    m_durationSlider->setMinValue(2);
    m_durationSlider->setMaxValue(60);
    m_durationSlider->setNumberOfTickMarks(59);
    m_durationSlider->setAllowsTickMarkValuesOnly(true);
    stack.addFragment(sliderWall);

    m_bubbleView = makeRunningBubbleView(m_durationSlider);
    model().addBreakDurationListener(m_bubbleView);
    stack.addFragment(HideableFragmentWall::embedViewInHideableFragment(m_bubbleView, "hideBubblesInTBRunningState", false, false));

    auto mini = MiniRemainingBreakDurationTimeIndicatorWall::create(std::static_pointer_cast<TimedBreakRunningState>(shared_from_this()));
    addUpdatableView(mini);
    model().addDurationListener(mini);
    stack.addFragment(mini);

    m_elapsedAndEndTimeIndicatorFragment = BreakElapsedAndEndTimeIndicatorHideableFragmentWall::create();
    m_elapsedAndEndTimeIndicatorFragment->configure("hideDurationAndEndDateInTimedBreak", false);
    addUpdatableView(m_elapsedAndEndTimeIndicatorFragment);
    stack.addFragment(m_elapsedAndEndTimeIndicatorFragment);

    m_remainingAndTotalTimeFragment = BreakRemainingAndTotalTimeIndicatorHideableFragmentWall::create();
    m_remainingAndTotalTimeFragment->configure("hideRemainingAndTotalInTimedBreak", false);
    addUpdatableView(m_remainingAndTotalTimeFragment);
    stack.addFragment(m_remainingAndTotalTimeFragment);

    durationLabel->addVisibilityManagedOption("quarter hour indicators", "hideBubblesInTBRunningState");
    durationLabel->addVisibilityManagedOption("duration and end date", "hideDurationAndEndDateInTimedBreak");
    durationLabel->addVisibilityManagedOption("remaining and total time", "hideRemainingAndTotalInTimedBreak");
}

void TimedBreakRunningState::buildButtons()
{
    auto& factory = buttonWall()->factory();
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto finish = factory.pushButton("Finish", [weakSelf] {
        if (auto self = weakSelf.lock())
            self->fireTransition("aborted");
    }, [](LayoutConstraintMaker& maker) { maker.container().place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0); });
    finish->setKeyEquivalent("\r");
    auto hide = factory.pushButton("Hide", [] { BreakScreenSupport::hideApplication(); },
        [&finish](LayoutConstraintMaker& maker) { maker.and_(*finish).place(A::Right, A::Left).pin(A::CenterY, A::CenterY, 0); });
    hide->setKeyEquivalent("\x1b");
}

void TimedBreakRunningState::activate()
{
    if (!m_durationSlider)
        base::fatal("TimedBreakRunningState: activated before it was built");
    TimedState::activate();
    updateMenuItem();
    // This break's length came from the slot the counter pointed at until now.
    model().incrementPomodoroCounter();
    m_restScreenIsUp = model().lockScreenDuringBreak();
    if (m_restScreenIsUp)
        RestBreakHelper::shared().bringUpRestScreen(std::static_pointer_cast<TimedBreakRunningState>(shared_from_this()));

    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    BreakScreenSupport::offerExtensionsInStatusMenu("Add ", [weakSelf](int64_t minutes) {
        if (auto self = std::static_pointer_cast<TimedBreakRunningState>(weakSelf.lock()))
            self->extendBreakBy(minutes);
    });
}

void TimedBreakRunningState::deactivate()
{
    TimedState::deactivate();
    // Whatever the setting says now: the covers of this visit go with it, and no other.
    if (std::exchange(m_restScreenIsUp, false))
        RestBreakHelper::shared().removeRestScreen();
    model().useOneTimeOnlyBreakDurationThisTimeOnly = false;
}

void TimedBreakRunningState::handleTimerElapsed() { fireTransition("elapsed"); }

std::string TimedBreakRunningState::menuItemText()
{
    if (auto module = timedStateMachineModule())
        module->viewModel->frozenTime = Clock::now();
    return remainingTimeText();
}

void TimedBreakRunningState::prepareForUITimerUpdate()
{
    TimedState::prepareForUITimerUpdate();
    auto module = timedStateMachineModule();
    if (!module)
        return;
    m_elapsedAndEndTimeIndicatorFragment->setViewModel(module->viewModel);
    m_remainingAndTotalTimeFragment->setViewModel(module->viewModel);
    m_durationSlider->setDoubleValue(std::ceil(module->viewModel->remainingSeconds() / 60));
}

double TimedBreakRunningState::currentProportion() const
{
    auto module = timedStateMachineModule();
    if (!module)
        return 0;
    double total = module->viewModel->totalSeconds();
    double elapsed = module->viewModel->elapsedSeconds();
    // A count of no length has nothing to show, rather than dividing by it.
    if (!(total > 0) || !std::isfinite(elapsed / total))
        return 0;
    return std::clamp(elapsed / total, 0.0, 1.0);
}

}
