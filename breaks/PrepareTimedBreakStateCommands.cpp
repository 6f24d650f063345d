#include "breaks/PrepareTimedBreakState.h"

#include "breaks/BreakScreenSupport.h"
#include "breaks/PomodoroBreakViewController.h"

#include "command/KeyboardShortcutsManager.h"
#include "command/MatchingItemCollector.h"
#include "command/OstrelHotKeyManager.h"
#include "core/KeyCombo.h"
#include "mainwindow/ObjectiveTextView.h"
#include "viewkit/IntegerTextField.h"
#include "viewkit/SliderBrick.h"
#include "viewkit/TagTokenField.h"

#include "platform/base/Defaults.h"

namespace ostrel {

namespace {

constexpr uint32_t kCommand = CarbonModifier::command;
constexpr uint32_t kOption = CarbonModifier::option;
constexpr uint32_t kReturn = 36;
constexpr int64_t kLongestBreak = 3600;
constexpr int64_t kShortestBreak = 120;

using Step = void (DataModel::*)();
constexpr Step kAddMinute[] = { &DataModel::incrementFirstPomodoroBreakDurationInMinutes, &DataModel::incrementSecondPomodoroBreakDurationInMinutes,
    &DataModel::incrementThirdPomodoroBreakDurationInMinutes, &DataModel::incrementFourthPomodoroBreakDurationInMinutes };
constexpr Step kSubtractMinute[] = { &DataModel::decrementFirstPomodoroBreakDurationInMinutes,
    &DataModel::decrementSecondPomodoroBreakDurationInMinutes, &DataModel::decrementThirdPomodoroBreakDurationInMinutes,
    &DataModel::decrementFourthPomodoroBreakDurationInMinutes };

}

const base::ActionTable& PrepareTimedBreakState::actionTable() const
{
    using S = PrepareTimedBreakState;
    static const auto table = base::ActionTable::of<S>(
        {
            { "startTimedBreak:", &S::startTimedBreak },
            { "startInformalBreak:", &S::startInformalBreak },
            { "startTimeSlice:", &S::startTimeSlice },
            { "backToWelcomePage:", &S::backToWelcomePage },
            { "changeDuration:", &S::changeDuration },
            { "addOneMinute:", &S::addOneMinute },
            { "subtractOneMinute:", &S::subtractOneMinute },
            { "parseObjective:", &S::parseObjective },
            { "parseClipboard:", &S::parseClipboard },
            { "selectObjectiveField:", &S::selectObjectiveField },
            { "selectTagTokenField:", &S::selectTagTokenField },
        },
        &ModernUIState::actionTable());
    return table;
}

void PrepareTimedBreakState::startTimedBreak(const base::Sender&) { fireTransition("next"); }

void PrepareTimedBreakState::startInformalBreak(const base::Sender&) { fireTransition("informalBreak"); }

void PrepareTimedBreakState::startTimeSlice(const base::Sender&) { fireTransition("nextTimeSlice"); }

void PrepareTimedBreakState::backToWelcomePage(const base::Sender&) { fireTransition("welcome"); }

void PrepareTimedBreakState::parseObjective(const base::Sender&) { BreakScreenSupport::parseObjective(*this); }

void PrepareTimedBreakState::parseClipboard(const base::Sender&) { BreakScreenSupport::parseClipboard(*this); }

void PrepareTimedBreakState::selectObjectiveField(const base::Sender&)
{
    BreakScreenSupport::revealAndFocus(*model().store(), { "objectiveTextFieldInPrepareTimedBreakState" }, objectiveTextView());
}

void PrepareTimedBreakState::selectTagTokenField(const base::Sender&)
{
    BreakScreenSupport::revealAndFocus(*model().store(),
        { "objectiveTextFieldInPrepareTimedBreakState", "hideTagEditorInPrepareTimedBreakState" }, tagTokenField());
}

void PrepareTimedBreakState::addOneMinute(const base::Sender&)
{
    requireBuilt();
    if (model().useDefaultBreakDurationControl()) {
        int64_t seconds = model().breakDurationInSeconds();
        if (seconds < kLongestBreak)
            model().setBreakDurationInSeconds((seconds / 60 + 1) * 60);
    } else if (model().usePomodoroStyleBreakDurationControl()) {
        (model().*kAddMinute[model().computedPomodoroCounter()])();
    }
}

void PrepareTimedBreakState::subtractOneMinute(const base::Sender&)
{
    requireBuilt();
    if (model().useDefaultBreakDurationControl()) {
        int64_t seconds = model().breakDurationInSeconds();
        if (seconds >= kShortestBreak + 60)
            model().setBreakDurationInSeconds(seconds / 60 * 60 - 60);
    } else if (model().usePomodoroStyleBreakDurationControl()) {
        (model().*kSubtractMinute[model().computedPomodoroCounter()])();
    }
}

void PrepareTimedBreakState::closeOtherPopUps(PopUpKind kind)
{
    if (kind == PopUpKind::durationPopOver)
        ModernUIState::closeOtherPopUps(kind);
    else
        BreakScreenSupport::closeQuickDurationPopOver(m_quickDurationChangingViewController);
}

void PrepareTimedBreakState::changeDuration(const base::Sender&)
{
    requireBuilt();
    closeOtherPopUps(PopUpKind::durationPopOver);
    if (model().usePomodoroStyleBreakDurationControl()) {
        BreakScreenSupport::focus(m_pomodoroViewController->inputField(static_cast<int>(model().computedPomodoroCounter())));
        return;
    }
    DataModel* data = &model();
    BreakScreenSupport::openQuickDurationPopOver(m_quickDurationChangingViewController, *m_slider,
        static_cast<int>(model().breakDurationInSeconds() / 60),
        [data](int typed) { data->setBreakDurationInSeconds(static_cast<int64_t>(typed) * 60); });
}

void PrepareTimedBreakState::collectMatchingItems(MatchingItemCollector& collector)
{
    auto with = [this](void (PrepareTimedBreakState::*action)(const base::Sender&)) { return BreakScreenSupport::command(*this, action); };
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    DataModel* data = &model();
    OstrelHotKeyManager hotKeys(model(), KeyboardShortcutsManager::shared());

    collector.addDefaultChoice("Start Timed Break", KeyCombo(kReturn, kCommand), with(&PrepareTimedBreakState::startTimedBreak));
    collector.addFirstAlternative("Start Informal Break", KeyCombo(34, kOption | kCommand), with(&PrepareTimedBreakState::startInformalBreak));
    collector.addSecondAlternative("Go Straight to Next Time Slice", hotKeys.currentOrDefaultKeyCombo("startTimeSlice"),
        with(&PrepareTimedBreakState::startTimeSlice));
    collector.addNavigationItem("Focus Duration Slider", std::nullopt, [weakSelf] {
        if (auto self = std::static_pointer_cast<PrepareTimedBreakState>(weakSelf.lock()))
            BreakScreenSupport::focus(self->m_slider);
    });
    collector.addNavigationItem("Quickly Change Duration...", KeyCombo(2, kCommand), with(&PrepareTimedBreakState::changeDuration));
    collector.addMiscActionItem("Lock Screen During Break", std::nullopt, [data] { data->lockScreenDuringBreakVariable->setValue(true); });
    collector.addMiscActionItem("Do Not Lock Screen During Break", std::nullopt,
        [data] { data->lockScreenDuringBreakVariable->setValue(false); });
    collector.addStateOptionsGroup();
    collectMatchingItemsForTextEditor(collector, "InPrepareTimedBreakState");
    collector.addDurationSliderVisibilityItem("Show Calendar Events", "hideCalendarEventsInPrepareTimedBreak");
    collector.addDurationSliderVisibilityItem("Show Quarter Hour Indicators", "hideBubblesInPrepareTimedBreakState");
    collector.addDurationSliderOptionGroup();
    collector.addOnOffStateSetting("Hide Ostrel During Timed Break", "shouldHideOnTimedBreakActivation");
    collector.addVisibilityStateSetting("Show Lock Screen Option", "lockScreenOption");
    collector.addVisibilityStateSetting("Show Objective for Next Time Slice", "objectiveTextFieldInPrepareTimedBreakState");
    collector.addVisibilityStateSetting("Show Straight to Next Time Slice Option", "straightToNextTimeSliceOption");
    collector.addVisibilityStateSetting("Show Informal Break Option", "informalBreakOption");
    collector.addStringMultiStateStateSetting(
        "Break Duration Control", "breakDurationControlAlternative",
        [](const std::string& state) { return std::string(state == "default" ? "pomodoroStyle" : "default"); },
        [](const std::string& state) { return std::string(state == "default" ? "Default Style" : "Pomodoro Style"); });
    collector.addMiscActionItem("Re-Run Profile Selection", std::nullopt, with(&PrepareTimedBreakState::backToWelcomePage));
    collector.addNavigationItem("Focus Tag Field", KeyCombo(17, kCommand), with(&PrepareTimedBreakState::selectTagTokenField));
    collector.addNavigationItem("Focus Objective Field", KeyCombo(31, kCommand), with(&PrepareTimedBreakState::selectObjectiveField));
}

}
