#include "states/RateTimeSliceState.h"

#include "states/ScreenCommands.h"

#include "command/MatchingItemCollector.h"
#include "core/KeyCombo.h"
#include "mainwindow/NowAndLaterBoardManager.h"
#include "viewkit/CheckBoxBrick.h"

#include "platform/ui/PopUpButton.h"
#include "platform/ui/Window.h"

namespace ostrel {

namespace {

constexpr uint32_t kCommand = 0x100;
constexpr uint32_t kShiftControl = 0x1200;
constexpr uint16_t kReturnKey = 0x24;
constexpr uint16_t kTKey = 0x11;
constexpr uint16_t kOKey = 0x1F;
// The digits 0 to 3 of the main keyboard.
constexpr uint16_t kDigitKeys[] = { 0x1D, 0x12, 0x13, 0x14 };

void focus(ui::View* view)
{
    if (auto* window = view ? view->window() : nullptr)
        window->makeFirstResponder(view);
}

}

const base::ActionTable& RateTimeSliceState::actionTable() const
{
    using S = RateTimeSliceState;
    static const auto table = base::ActionTable::of<S>(
        {
            { "parseObjective:", &S::parseObjective },
            { "parseClipboard:", &S::parseClipboard },
            { "selectObjectiveField:", &S::selectObjectiveField },
            { "selectTagTokenField:", &S::selectTagTokenField },
            { "setDistractedLevel:", &S::setDistractedLevel },
            { "setGoodLevel:", &S::setGoodLevel },
            { "setHighlyFocusedLevel:", &S::setHighlyFocusedLevel },
            { "setFlowLevel:", &S::setFlowLevel },
        },
        &ModernUIState::actionTable());
    return table;
}

void RateTimeSliceState::collectMatchingItems(MatchingItemCollector& collector)
{
    using Self = RateTimeSliceState;
    auto run = [this](auto work) { return ScreenCommands::whileAlive(*this, work); };
    auto extending = [run](int64_t minutes) { return run([minutes](Self& self) { self.internalExtend(minutes); }); };

    collector.addDefaultChoice("Log Time Slice", KeyCombo(kReturnKey, kCommand), run([](Self& self) { self.internalContinue(); }));
    collector.addFirstAlternative("Skip Logging", std::nullopt, run([](Self& self) { self.internalDoNotLogWithAlertDialog(); }));
    collector.addSecondAlternative("Extend Time Slice by 1 minutes", std::nullopt, extending(1));
    collector.addThirdAlternative("Extend Time Slice by 2 minutes", std::nullopt, extending(2));
    collector.addFourthAlternative("Extend Time Slice by 5 minutes", std::nullopt, extending(5));
    collector.addFifthAlternative("Extend Time Slice by 10 minutes", std::nullopt, extending(10));
    collector.addSixthAlternative("Straight to Next Time Slice", std::nullopt,
        run([](Self& self) { self.internalStraightToNextTimeSlice(); }));
    // The template the screen shows now, read as the pop-up opens.
    if (model().completed())
        collector.addMiscActionItem("Add Priming Template", std::nullopt,
            [] { NowAndLaterBoardManager::sharedManager().addPrimingTemplateFromState(); });
    else
        collector.addMiscActionItem("Add Breadcrumb Template", std::nullopt,
            [] { NowAndLaterBoardManager::sharedManager().addBreadcrumbsTemplate(); });
    collector.addNavigationItem("Focus Tag Field", KeyCombo(kTKey, kCommand), run([](Self& self) { self.selectTagTokenField(); }));
    collector.addNavigationItem("Focus Objective Field", KeyCombo(kOKey, kCommand), run([](Self& self) { self.selectObjectiveField(); }));
    collector.addNavigationItem("Focus Concentration Level Popup Button", std::nullopt,
        run([](Self& self) { focus(self.focusPopUpButton().get()); }));
    collector.addNavigationItem("Focus Completed Checkbox", std::nullopt, run([](Self& self) { focus(self.completedCheckbox().get()); }));

    auto completed = model().completedVariable;
    collector.addMiscActionItem("Mark as Completed", std::nullopt, [completed] { completed->setValue(true); }, false);
    collector.addMiscActionItem("Mark as Incomplete", std::nullopt, [completed] { completed->setValue(false); }, false);
    static const char* const levelTitles[] = { "Mark as Having Been Distracted", "Mark as Having Had Good Focus",
        "Mark as Having Been Highly Focused", "Mark as Having Experienced Flow" };
    auto focusLevel = model().focusLevelVariable;
    for (int level = 3; level >= 0; --level) {
        collector.addMiscActionItem(levelTitles[level], KeyCombo(kDigitKeys[level], kShiftControl),
            [focusLevel, level] { focusLevel->setValue(level); }, false);
    }

    collector.addVisibilityStateSetting("Show Add Breadcrumbs Button", "breadcrumbsOption");
    collector.addVisibilityStateSetting("Show Extend Time Slice Button", "extendTimeSliceFragmentOptionInRateTimeSliceStep");
    collector.addVisibilityStateSetting("Show Skip Logging Button", "doNotLogOption");
    collector.addVisibilityStateSetting("Show Priming Button", "primingOption");
    collector.addOnOffStateSetting("Create a New Scratch Pad Page", "createNewScratchPadPageForPriming");
    collector.addOnOffStateSetting("Disable Objective Editing For First 2 Seconds", "disableObjectiveEditingForTwoSecondsAfterActivation");
    collectMatchingItemsForTextEditor(collector, "InRateTimeSliceState");
    collector.addStateOptionsGroup();
}

}
