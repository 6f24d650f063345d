#include "states/TimeSliceRunningState.h"

#include "states/MainWindowAccess.h"
#include "states/QuickDurationChangingViewController.h"
#include "states/ScreenCommands.h"

#include "command/KeyboardShortcutsManager.h"
#include "command/MatchingItemCollector.h"
#include "command/OstrelHotKeyManager.h"
#include "command/TimeScaleMatchingItem.h"
#include "core/KeyCombo.h"
#include "mainwindow/MainWindowController.h"
#include "shell/StatusItemMenuManager.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/SmartMenuItem.h"

#include "platform/ui/Window.h"

#include <cmath>

namespace ostrel {

namespace {

constexpr uint32_t kCommand = 0x100;
constexpr uint16_t kReturnKey = 0x24;

}

const base::ActionTable& TimeSliceRunningState::actionTable() const
{
    using S = TimeSliceRunningState;
    static const auto table = base::ActionTable::of<S>(
        {
            { "stopTimeSlice:", &S::stopTimeSlice },
            { "pauseOrResumeTimeSlice:", &S::pauseOrResumeTimeSlice },
            { "addOneMinute:", &S::addOneMinute },
            { "subtractOneMinute:", &S::subtractOneMinute },
            { "changeDuration:", &S::changeDuration },
            { "selectObjectiveField:", &S::selectObjectiveField },
            { "selectTagTokenField:", &S::selectTagTokenField },
            { "parseObjective:", &S::parseObjective },
            { "parseClipboard:", &S::parseClipboard },
            { "changeWithDuration:", &S::changeWithDuration },
            { "setRemainingWithSecondsForDebuggingOnly:", &S::setRemainingWithSecondsForDebuggingOnly },
        },
        &TimedState::actionTable());
    return table;
}

void TimeSliceRunningState::addStatusMenuItems()
{
    auto& menu = StatusItemMenuManager::instance();
    menu.removeAllItems();
    for (int64_t minutes : { 1, 3, 5, 10 }) {
        std::string title = "Add " + std::to_string(minutes) + (minutes == 1 ? " Minute" : " Minutes");
        menu.addItem(SmartMenuItem::create(title, ScreenCommands::whileAlive(*this, [minutes](TimeSliceRunningState& self) {
            self.add(minutes);
        })));
    }
}

void TimeSliceRunningState::collectMatchingItems(MatchingItemCollector& collector)
{
    using Self = TimeSliceRunningState;
    auto adding = [this](int64_t minutes) {
        return ScreenCommands::whileAlive(*this, [minutes](Self& self) { self.add(minutes); });
    };
    OstrelHotKeyManager hotKeys(model(), KeyboardShortcutsManager::shared());

    collector.addDefaultChoice("Finish Time Slice", KeyCombo(kReturnKey, kCommand),
        ScreenCommands::whileAlive(*this, [](Self& self) { self.internalEndTimeSlice(); }));
    collector.addFirstAlternative("Pause Time Slice", hotKeys.currentOrDefaultKeyCombo("pauseTimeSlice"),
        ScreenCommands::whileAlive(*this, [](Self& self) { self.internalPauseOrResumeTimeSlice(); }));
    collector.addSecondAction("Extend Time Slice by 1 Minute", std::nullopt, adding(1), true);
    collector.addThirdAction("Extend Time Slice by 3 Minutes", std::nullopt, adding(3));
    collector.addFourthAction("Extend Time Slice By 5 Minutes", std::nullopt, adding(5));
    collector.addFifthAction("Extend Time Slice by 10 Minutes", std::nullopt, adding(10));
    collector.addStateOptionsGroup();
    collectMatchingItemsForTextEditor(collector, "InTimeSliceRunningState");
    collector.addNavigationItem("Focus Tag Field", std::nullopt, ScreenCommands::whileAlive(*this, [](Self& self) {
        self.selectTagTokenField();
    }));
    collector.addNavigationItem("Focus Objective Field", std::nullopt, ScreenCommands::whileAlive(*this, [](Self& self) {
        ScreenCommands::selectObjectiveField(self);
    }));
    // The screen shows no calendar events: the option only keeps its setting.
    collector.addDurationSliderVisibilityItem("Show Calendar Events", "hideCalendarEventsInTSRunningState");
    collector.addDurationSliderVisibilityItem("Show Remaining and Total Time", "hideRemainingAndTotalInRunningState");
    collector.addDurationSliderVisibilityItem("Show Elapsed and End Time", "hideElapsedAndEndTimeInRunningState");
    collector.addDurationSliderOptionGroup();
    collector.addNavigationItem("Focus Duration Slider", std::nullopt, ScreenCommands::whileAlive(*this, [](Self& self) {
        auto shown = self.slider();
        if (auto* window = shown ? shown->window() : nullptr)
            window->makeFirstResponder(shown.get());
    }));
    collector.addNavigationItem("Quickly Change Duration...", std::nullopt, ScreenCommands::whileAlive(*this, [](Self& self) {
        self.changeDuration();
    }));
    collector.append(TimeScaleMatchingItem::create(*model().store(), "Duration Scale"));
}

void TimeSliceRunningState::closeOtherPopUps(PopUpKind kind)
{
    if (kind == PopUpKind::durationPopOver)
        TimedState::closeOtherPopUps(kind);
    else
        ScreenCommands::closeQuickDurationPopOver(m_quickDurationChangingViewController);
}

void TimeSliceRunningState::deactivate()
{
    // The pop-over sets the time of this run only.
    ScreenCommands::closeQuickDurationPopOver(m_quickDurationChangingViewController);
    TimedState::deactivate();
}

void TimeSliceRunningState::changeDuration()
{
    auto& viewModel = *requireModule("the quick duration pop-over").viewModel;
    closeOtherPopUps(PopUpKind::durationPopOver);
    ScreenCommands::closeQuickDurationPopOver(m_quickDurationChangingViewController);
    auto shown = slider();
    if (!shown)
        return;
    m_quickDurationChangingViewController = QuickDurationChangingViewController::create();
    int minutes = static_cast<int>(std::trunc(viewModel.remainingSeconds() / 60));
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    m_quickDurationChangingViewController->runModal(MainWindowAccess::controller(), *shown, minutes, [weakSelf](int typed) {
        // The slice may have ended while the pop-over stood open.
        auto self = std::static_pointer_cast<TimeSliceRunningState>(weakSelf.lock());
        if (self && self->timedStateMachineModule())
            self->setRemaining(static_cast<float>(typed));
    });
    updateUpdatableViews();
}

}
