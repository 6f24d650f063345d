#include "states/TimeSliceRunningState.h"

#include "states/DurationSliderForTimeSliceRunningViewController.h"
#include "states/MiniRemainingDurationTimeIndicatorWall.h"
#include "states/ScreenCommands.h"
#include "states/StateFragmentStackView.h"

#include "attention/SoundManager.h"
#include "attention/WhiteNoiseMachine.h"
#include "command/ObjectiveParser.h"
#include "drawing/OstrelStyleKit.h"
#include "viewkit/BubbleViewForTimedState.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/DataModelBindings.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/OstrelControlSkin.h"
#include "viewkit/PopUpButtonBrick.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/SmartMenuItem.h"
#include "viewkit/TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall.h"
#include "viewkit/TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall.h"
#include "viewkit/TitleFragment.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

constexpr const char* kHideBubbles = "hideBubblesInTSRunningState";
constexpr const char* kHideElapsedAndEndTime = "hideElapsedAndEndTimeInRunningState";
constexpr const char* kHideRemainingAndTotal = "hideRemainingAndTotalInRunningState";
constexpr const char* kHideContinuousSound = "hideContinuousSoundInTimeSliceRunningState";

}

void TimeSliceRunningState::build()
{
    OstrelControlSkin::shared();
    if (!infoWall())
        base::fatal(className() + ": built without its info wall");
    createStackView();
    buildTitle();
    setupObjectiveTextView(true, true, true, std::nullopt, "InTimeSliceRunningState");
    buildDurationFragments();
    buildContinuousSoundFragments();
    titleFragment()->addVisibilityManagedOption("Continuous Sound Control", kHideContinuousSound);
    buildButtons();
}

void TimeSliceRunningState::buildTitle()
{
    createAndInstallTitleFragment("Time Slice Running...");
    auto& title = *titleFragment();
    title.setTint(OstrelStyleKit::workingColor());
    title.setImage(OstrelStyleKit::imageOfWorkingIcon(OstrelStyleKit::workingColor()));
}

void TimeSliceRunningState::buildDurationFragments()
{
    auto stack = fragmentStackView();
    auto durationLabel = LabelFragment::labelFragment("Duration:");
    stack->addFragment(durationLabel);

    auto self = std::static_pointer_cast<TimeSliceRunningState>(shared_from_this());
    m_durationSliderViewController = DurationSliderForTimeSliceRunningViewController::create(model(), false);
    m_durationSliderViewController->setTimeSliceRunningState(self);
    auto sliderView = m_durationSliderViewController->view();
    sliderView->setTranslatesAutoresizingMaskIntoConstraints(false);
    stack->addArrangedSubview(sliderView);

    std::weak_ptr<DurationSliderForTimeSliceRunningViewController> weakController = m_durationSliderViewController;
    m_timeScaleListener = model().timeSliceTimeScale->addHotListener([weakController](const TimeScale& scale) {
        if (auto controller = weakController.lock())
            controller->configure(ObjectiveParser::longestDuration(scale));
    });

    m_bubbleView = makeRunningBubbleView(slider());
    model().addDurationListener(m_bubbleView);
    stack->addFragment(HideableFragmentWall::embedViewInHideableFragment(m_bubbleView, kHideBubbles, false, false));

    m_miniRemainingDurationIndicator = MiniRemainingDurationTimeIndicatorWall::create(self);
    stack->addFragment(m_miniRemainingDurationIndicator);
    addUpdatableView(m_miniRemainingDurationIndicator);
    model().addDurationListener(m_miniRemainingDurationIndicator);

    m_elapsedAndEndTimeIndicatorFragment = TimeSliceElapsedAndEndTimeIndicatorHideableFragmentWall::create();
    m_elapsedAndEndTimeIndicatorFragment->configure(kHideElapsedAndEndTime, false);
    stack->addFragment(m_elapsedAndEndTimeIndicatorFragment);
    addUpdatableView(m_elapsedAndEndTimeIndicatorFragment);

    m_remainingAndTotalTimeFragment = TimeSliceRemainingAndTotalTimeIndicatorHideableFragmentWall::create();
    m_remainingAndTotalTimeFragment->configure(kHideRemainingAndTotal, false);
    stack->addFragment(m_remainingAndTotalTimeFragment);
    addUpdatableView(m_remainingAndTotalTimeFragment);

    durationLabel->addVisibilityManagedOption("quarter hour indicators", kHideBubbles);
    durationLabel->addVisibilityManagedOption("duration and end date", kHideElapsedAndEndTime);
    durationLabel->addVisibilityManagedOption("remaining and total time", kHideRemainingAndTotal);
    durationLabel->addSeparatorItem();
    addTimeScale(*durationLabel, model().timeSliceTimeScale);
}

void TimeSliceRunningState::buildContinuousSoundFragments()
{
    auto stack = fragmentStackView();
    stack->addFragment(LabelFragment::labelFragment("Continuous Sound", kHideContinuousSound, true));

    auto controls = Wall::create();
    auto& factory = controls->factory();
    auto play = factory.smartCheckBoxButton("Continuously play", [](bool on) {
        // Turning it off only changes the setting, which the machine follows by itself.
        if (on)
            WhiteNoiseMachine::continuousSoundMachine().playSubjectToSettings();
    }, [](LayoutConstraintMaker& maker) { maker.container().place(A::Top, A::Top).place(A::Left, A::Left); });
    bindContinuousSoundOn(model(), *play);

    auto sounds = factory.popupButton([play](LayoutConstraintMaker& maker) {
        maker.and_(*play).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
        maker.container().place(A::Right, A::Right);
    });
    auto& library = SoundManager::sharedManager();
    const auto& labels = library.continuousSoundsLabels();
    const auto& privateNames = library.continuousSoundsPrivateNames();
    auto store = model().store();
    std::string chosen = store->string("continuousSound").value_or("");
    int selected = -1;
    for (std::size_t i = 0; i < labels.size() && i < privateNames.size(); ++i) {
        std::string name = privateNames[i];
        sounds->menu()->addItem(SmartMenuItem::create(labels[i], [store, name] {
            store->set("continuousSound", name);
            store->synchronize();
        }));
        if (name == chosen)
            selected = static_cast<int>(i);
    }
    // A sound no longer offered selects nothing; the setting keeps it until the user chooses.
    sounds->selectItemAt(selected);

    auto volumeLabel = factory.label("Volume", [sounds, play](LayoutConstraintMaker& maker) {
        maker.and_(*sounds).place(A::Top, A::Bottom);
        maker.and_(*play).pin(A::Right, A::Right, 0);
    });
    auto volume = factory.slider([](float value) { return value; }, true, [sounds, volumeLabel](LayoutConstraintMaker& maker) {
        maker.and_(*sounds).pin(A::Left, A::Left, 0).pin(A::Right, A::Right, 0);
        maker.and_(*volumeLabel).pin(A::CenterY, A::CenterY, 0);
        maker.container().place(A::Bottom, A::Bottom);
    });
    volume->small();
    volume->setMinValue(0.0);
    volume->setMaxValue(1.0);
    bindContinuousSoundVolume(model(), *volume);

    stack->addFragment(HideableFragmentWall::embedViewInHideableFragment(controls, kHideContinuousSound, true, true));
}

void TimeSliceRunningState::buildButtons()
{
    auto& factory = buttonWall()->factory();
    auto finish = factory.pushButton("Finish", ScreenCommands::whileAlive(*this, [](TimeSliceRunningState& self) { self.internalEndTimeSlice(); }),
        [](LayoutConstraintMaker& maker) { maker.container().place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0); });
    finish->setKeyEquivalent("\r");
    auto pause = factory.pushButton("Pause",
        ScreenCommands::whileAlive(*this, [](TimeSliceRunningState& self) { self.internalPauseOrResumeTimeSlice(); }),
        [finish](LayoutConstraintMaker& maker) { maker.and_(*finish).place(A::Right, A::Left).pin(A::CenterY, A::CenterY, 0); });
    auto hide = factory.pushButton("Hide", [] { ScreenCommands::hideApplication(); },
        [pause](LayoutConstraintMaker& maker) { maker.and_(*pause).place(A::Right, A::Left).pin(A::CenterY, A::CenterY, 0); });
    hide->setKeyEquivalent("\x1b");
}

}
