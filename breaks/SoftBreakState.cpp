#include "breaks/SoftBreakState.h"

#include "breaks/BreakScreenSupport.h"

#include "states/StateFragmentStackView.h"

#include "attention/NotificationHelper.h"
#include "command/MatchingItemCollector.h"
#include "core/Clock.h"
#include "drawing/OstrelStyleKit.h"
#include "log/Logger.h"
#include "viewkit/CheckBoxBrick.h"
#include "viewkit/DataModelBindings.h"
#include "viewkit/LabelFragment.h"
#include "viewkit/LayoutConstraintMaker.h"
#include "viewkit/LayoutConstraintMakerWithRelation.h"
#include "viewkit/PushButtonBrick.h"
#include "viewkit/TitleFragment.h"

#include "platform/base/Defaults.h"

namespace ostrel {

using A = ui::LayoutAttribute;

namespace {

constexpr uint32_t kCommand = CarbonModifier::command;
// More idle seconds than this and the user has stopped working.
constexpr double kStoppedWorking = 3.0;

}

std::shared_ptr<SoftBreakState> SoftBreakState::create(DataModel& model)
{
    return std::shared_ptr<SoftBreakState>(new SoftBreakState(model));
}

SoftBreakState::SoftBreakState(DataModel& model)
    : TimedState(model)
{
    exposeTransition("finish", m_finish);
    exposeTransition("extend", m_extend);
    exposeTransition("straightToBreak", m_straightToBreak);
    exposeTransition("straightToNextTimeSlice", m_straightToNextTimeSlice);
}

const base::ActionTable& SoftBreakState::actionTable() const
{
    static const auto table = base::ActionTable::of<SoftBreakState>(
        { { "stopTimeSlice:", &SoftBreakState::stopTimeSlice } }, &TimedState::actionTable());
    return table;
}

void SoftBreakState::build()
{
    createStackView();
    m_fitWindowToken = BreakScreenSupport::keepShownSectionsInTheWindow(*this);
    createAndInstallTitleFragment("Waiting for Inactivity");
    auto& title = *titleFragment();
    title.setImage(OstrelStyleKit::imageOfWorkingIcon(OstrelStyleKit::workingColor()));
    title.setTint(OstrelStyleKit::workingColor());
    buildSoftBreakSwitch();
    buildExtensionRow();
    buildButtons();
}

void SoftBreakState::buildSoftBreakSwitch()
{
    auto& stack = *fragmentStackView();
    auto label = LabelFragment::labelFragment("Soft Break Feature");
    label->setIdentifier("Soft Break Feature Fragment");
    stack.addFragment(label);

    auto section = HideableFragmentWall::create("softBreakOption", false);
    auto row = section->createCenteredWallInside();
    auto& factory = row->factory();
    auto useSoftBreak = factory.smartCheckBoxButton("Use Soft Break Feature", {}, [](LayoutConstraintMaker& maker) {
        maker.container().place(A::Left, A::Left).place(A::Top, A::Top).place(A::Bottom, A::Bottom);
    });
    bindSoftBreakOnOffCheckbox(model(), *useSoftBreak);
    std::weak_ptr<CheckBoxBrick> weakBox = useSoftBreak;
    endOfLifeBag().add([weakBox] {
        if (auto box = weakBox.lock())
            unbindSoftBreakOnOffCheckbox(*box);
    });
    factory.helpButton([] { BreakScreenSupport::showHelpPage("soft_break_feature.html"); }, [&useSoftBreak](LayoutConstraintMaker& maker) {
        maker.and_(*useSoftBreak).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
        maker.container().place(A::Right, A::Right);
    });
    stack.addFragment(section);
    label->addVisibilityManagedOption("Soft Break Feature On/Off Switch", "softBreakOption");
}

void SoftBreakState::buildExtensionRow()
{
    auto& stack = *fragmentStackView();
    auto label = LabelFragment::labelFragment("Extend Time Slice");
    label->setIdentifier("Extend Time Slice Fragment");
    stack.addFragment(label);

    auto section = HideableFragmentWall::create("softBreakExtensionOption", false);
    auto row = section->createCenteredWallInside();
    auto& factory = row->factory();
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    std::shared_ptr<ui::View> previous;
    for (int64_t minutes : { 1, 3, 5, 10 }) {
        previous = factory.pushButton("+" + std::to_string(minutes), [weakSelf, minutes] {
            if (auto self = std::static_pointer_cast<SoftBreakState>(weakSelf.lock()))
                self->extendTimeSliceBy(minutes);
        }, [&previous](LayoutConstraintMaker& maker) {
            if (previous)
                maker.and_(*previous).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
            else
                maker.container().place(A::Left, A::Left).place(A::Top, A::Top);
        });
    }
    factory.label("Minutes", [&previous](LayoutConstraintMaker& maker) {
        maker.and_(*previous).place(A::Left, A::Right).pin(A::CenterY, A::CenterY, 0);
        maker.container().place(A::Right, A::Right).place(A::Bottom, A::Bottom);
    });
    stack.addFragment(section);
    label->addVisibilityManagedOption("Extend Time Slice Option", "softBreakExtensionOption");
}

void SoftBreakState::buildButtons()
{
    auto& factory = buttonWall()->factory();
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto finish = factory.pushButton("Finish", [weakSelf] {
        if (auto self = std::static_pointer_cast<SoftBreakState>(weakSelf.lock()))
            self->handleTimerAborted();
    }, [](LayoutConstraintMaker& maker) { maker.container().place(A::Right, A::Right).pin(A::CenterY, A::CenterY, 0); });
    auto hide = factory.pushButton("Hide", [] { BreakScreenSupport::hideApplication(); },
        [&finish](LayoutConstraintMaker& maker) { maker.and_(*finish).place(A::Right, A::Left).pin(A::CenterY, A::CenterY, 0); });
    hide->setKeyEquivalent("\x1b");
}

void SoftBreakState::activate()
{
    TimedState::activate();
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    BreakScreenSupport::offerExtensionsInStatusMenu("Extend Time Slice by ", [weakSelf](int64_t minutes) {
        if (auto self = std::static_pointer_cast<SoftBreakState>(weakSelf.lock()))
            self->extendTimeSliceBy(minutes);
    });
}

void SoftBreakState::eachTick(int64_t elapsedSeconds)
{
    updateMenuItem();
    if (BreakScreenSupport::idleTimeInSeconds() > kStoppedWorking) {
        handleTimerAborted();
        return;
    }
    auto& cues = NotificationHelper::instance();
    if (elapsedSeconds == 1)
        cues.speakAndDisplayUserStillActiveMessages();
    Logger::sharedLogger().incrementActualSecondsWorked();
    if (elapsedSeconds == 29)
        cues.playSecondTick();
    else if (elapsedSeconds == 28)
        cues.playFirstTick();
    else if (elapsedSeconds == 15)
        cues.speakAndDisplayIntermediaryMessages();
    TimedState::eachTick(elapsedSeconds);
}

void SoftBreakState::handleTimerElapsed() { end(true); }

void SoftBreakState::handleTimerAborted() { end(false); }

void SoftBreakState::stopTimeSlice(const base::Sender&) { handleTimerAborted(); }

void SoftBreakState::end(bool forced)
{
    // Only the first end of a visit counts: the screen is left by it.
    if (!isCurrent())
        return;
    auto& cues = NotificationHelper::instance();
    cues.playTock();
    if (forced)
        cues.speakAndDisplayForcedBreakMessages();
    cues.executeEndOfTimeSliceScript();
    if (model().shouldAlwaysSkipLogging()) {
        if (model().shouldAlwaysSkipAllBreaks()) {
            Logger::sharedLogger().resetActualSecondsWorked();
            fireTransition("straightToNextTimeSlice");
        } else {
            fireTransition("straightToBreak");
        }
        return;
    }
    fireTransition(forced ? "elapsed" : "aborted");
}

void SoftBreakState::extendTimeSliceBy(int64_t minutes)
{
    if (!isCurrent())
        return;
    int64_t worked = Logger::sharedLogger().actualSecondsWorked();
    int64_t extension = model().currentTimeSliceExtensionDurationInSeconds();
    int64_t planned = model().durationInSeconds();
    // So that the running slice, whose length is planned + extension - worked, runs exactly
    // `minutes` more minutes.
    model().setCurrentTimeSliceExtensionDuration(extension + 60 * minutes + (worked - (extension + planned)));
    fireTransition("extend");
}

std::string SoftBreakState::menuItemText()
{
    if (auto module = timedStateMachineModule())
        module->viewModel->frozenTime = Clock::now();
    return remainingTimeText();
}

void SoftBreakState::collectMatchingItems(MatchingItemCollector& collector)
{
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto extend = [weakSelf](int64_t minutes) {
        return [weakSelf, minutes] {
            if (auto self = std::static_pointer_cast<SoftBreakState>(weakSelf.lock()))
                self->extendTimeSliceBy(minutes);
        };
    };
    collector.addDefaultChoice("End Time Slice", KeyCombo(36, kCommand), [weakSelf] {
        if (auto self = std::static_pointer_cast<SoftBreakState>(weakSelf.lock()))
            self->handleTimerAborted();
    });
    collector.addFirstAction("Extend Time Slice by 1 Minute", std::nullopt, extend(1));
    collector.addSecondAction("Extend Time Slice by 3 Minutes", std::nullopt, extend(3), false);
    collector.addThirdAction("Extend Time Slice By 5 Minutes", std::nullopt, extend(5));
    collector.addFourthAction("Extend Time Slice by 10 Minutes", std::nullopt, extend(10));
    collector.addStateOptionsGroup();
    collector.addVisibilityStateSetting("Show Time Slice Extension Options", "softBreakExtensionOption");
    collector.addVisibilityStateSetting("Show Softbreak On/Off Switch", "softBreakOption");
}

}
