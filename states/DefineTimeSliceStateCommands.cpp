#include "states/DefineTimeSliceState.h"

#include "states/DurationSliderViewController.h"
#include "states/MainWindowAccess.h"
#include "states/QuickDurationChangingViewController.h"

#include "command/KeyboardShortcutsManager.h"
#include "command/MatchingItemCollector.h"
#include "command/OstrelHotKeyManager.h"
#include "command/TimeScaleMatchingItem.h"
#include "core/KeyCombo.h"
#include "mainwindow/MainWindowController.h"
#include "viewkit/SliderBrick.h"

#include "platform/base/Defaults.h"
#include "platform/ui/Popover.h"
#include "platform/ui/Window.h"

namespace ostrel {

namespace {

constexpr uint32_t kCommand = 0x100;

}

void DefineTimeSliceState::collectMatchingItems(MatchingItemCollector& collector)
{
    std::weak_ptr<BaseState> weakSelf = weak_from_this();
    auto with = [weakSelf](void (DefineTimeSliceState::*action)(const base::Sender&)) {
        return [weakSelf, action] {
            if (auto self = std::static_pointer_cast<DefineTimeSliceState>(weakSelf.lock()))
                ((*self).*action)({});
        };
    };
    // The hot keys as this model stores them.
    OstrelHotKeyManager hotKeys(model(), KeyboardShortcutsManager::shared());

    collector.addDefaultChoice("Start Time Slice", KeyCombo(36, kCommand), with(&DefineTimeSliceState::startTimeSlice));
    collector.addFirstAlternative("Start Timed Break", hotKeys.currentOrDefaultKeyCombo("startTimedBreak"),
        with(&DefineTimeSliceState::startTimedBreak));
    collector.addNavigationItem("Focus Tag Field", KeyCombo(17, kCommand), with(&DefineTimeSliceState::selectTagTokenField));
    collector.addNavigationItem("Focus Objective Field", KeyCombo(31, kCommand), with(&DefineTimeSliceState::selectObjectiveField));
    collector.addNavigationItem("Focus Duration Slider", std::nullopt, [weakSelf] {
        auto self = std::static_pointer_cast<DefineTimeSliceState>(weakSelf.lock());
        auto slider = self ? self->slider() : nullptr;
        if (auto* window = slider ? slider->window() : nullptr)
            window->makeFirstResponder(slider.get());
    });
    collector.addNavigationItem("Quickly Change Duration...", KeyCombo(2, kCommand), with(&DefineTimeSliceState::changeDuration));
    collector.addOnOffStateSetting("Hide Ostrel During Time Slice", "shouldHideOnTimeSliceRunningActivation");
    collector.addOnOffStateSetting("Bring to Front After 5 Minutes of Inactivity",
        "automaticallyBringDefineTimeSliceToFrontAfterInactivity");
    collector.addOnOffStateSetting("Bring to Front After 1 Hour of Inactivity", "automaticallyBringDefineTimeSliceToFrontAfterOneHour");
    collector.addOnOffStateSetting("Bring to Front After Breakfast", "automaticallyBringDefineTimeSliceToFrontAfterBreakfast");
    collector.addOnOffStateSetting("Bring to Front After Lunch", "automaticallyBringDefineTimeSliceToFrontAfterLunch");
    collector.addVisibilityStateSetting("Start With Timed Break Option", "startWithBreakOption");
    collectMatchingItemsForTextEditor(collector, "");
    collectMatchinItemsForDurationSlider(collector, "");
    collector.addStateOptionsGroup();
    collector.addMiscActionItem("Re-Run Profile Selection", std::nullopt, with(&DefineTimeSliceState::backToWelcomePage));
    collector.append(TimeScaleMatchingItem::create(*model().store(), "Duration Scale"));
}

void DefineTimeSliceState::closeOtherPopUps(PopUpKind kind)
{
    if (kind == PopUpKind::durationPopOver)
        ModernUIState::closeOtherPopUps(kind);
    else
        closeQuickDurationPopOver();
}

void DefineTimeSliceState::closeQuickDurationPopOver()
{
    if (!m_quickDurationChangingViewController)
        return;
    auto& popOver = m_quickDurationChangingViewController->popOver();
    if (popOver && popOver->isShown())
        popOver->close();
    m_quickDurationChangingViewController.reset();
}

void DefineTimeSliceState::changeDuration(const base::Sender&)
{
    closeOtherPopUps(PopUpKind::durationPopOver);
    closeQuickDurationPopOver();
    auto slider = this->slider();
    if (!slider)
        return;
    m_quickDurationChangingViewController = QuickDurationChangingViewController::create();
    auto store = model().store();
    int minutes = static_cast<int>(model().durationInSeconds() / 60);
    m_quickDurationChangingViewController->runModal(MainWindowAccess::controller(), *slider, minutes, [store](int typed) {
        store->set("durationInSeconds", static_cast<int64_t>(typed) * 60);
    });
}

}
